#include "gamelist/MameListRequest.h"

#include "platform/DosFileSystem.h"

namespace MameListRequest {

QStringList ScriptLines(const QString& executable, const QString& programDirectory,
                        const QString& emulatorId) {
    const QString temporary = programDirectory + emulatorId + u".!!!";
    return {
        executable + u" -listclones > " + temporary,
        u"ren " + temporary + u' ' + emulatorId + u".MRG",
        executable + u" -listfull > " + temporary,
        u"ren " + temporary + u' ' + emulatorId + u".LST",
    };
}

void RemoveOldLists(const DosFileSystem& fs, const QString& programDirectory,
                    const QString& emulatorId) {
    for (const char16_t* extension : {u".MRG", u".LST"}) {
        const QString path = programDirectory + emulatorId + QString::fromUtf16(extension);
        // Names that differ only in case are one file to DOS; remove them all.
        for (int copy = 0; copy < 8 && fs.fileExists(path); ++copy) {
            fs.setArchiveOnly(path);
            if (!fs.removeFile(path)) {
                break;
            }
        }
    }
}

}  // namespace MameListRequest
