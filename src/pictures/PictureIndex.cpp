#include "pictures/PictureIndex.h"

#include "platform/DosFileSystem.h"
#include "platform/TextCodec.h"

QStringList PictureExtensions() {
    return {QStringLiteral(".BMP"),  QStringLiteral(".PCX"), QStringLiteral(".JPG"),
            QStringLiteral(".JPEG"), QStringLiteral(".TIF"), QStringLiteral(".TIFF"),
            QStringLiteral(".GIF"),  QStringLiteral(".EMF"), QStringLiteral(".WMF"),
            QStringLiteral(".PNG")};
}

QStringList ReadPictureIndex(const QByteArray& content) {
    return TextCodec::splitLines(TextCodec::decode(content));
}

QByteArray PictureIndexFileContent(const QStringList& index) {
    return TextCodec::encodeDosLines(index);
}

QStringList BuildPictureIndex(const DosFileSystem& fs, const QString& programDirectory,
                              const DirectoryWalker::Progress& progress) {
    DirectoryWalker walker(fs, PictureExtensions(), progress);
    walker.WalkDirectory(programDirectory + u"bitmaps");
    return walker.takeFound();
}

bool SavePictureIndex(const DosFileSystem& fs, const QString& programDirectory,
                      const QStringList& index) {
    const QString path = programDirectory + u"picture.dir";
    if (fs.fileExists(path)) {
        fs.setReadOnly(path, false);
        fs.removeFile(path);
    }
    return fs.writeFile(path, PictureIndexFileContent(index));
}
