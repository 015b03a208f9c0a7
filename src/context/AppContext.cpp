#include "context/AppContext.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "platform/DosPath.h"

AppContext::AppContext(QString programHostDir, QString executableHostPath, QString batchHostPath,
                       DosFileSystem fs, QString storeFile, Services services)
    : exitProgram([](int code) { QCoreApplication::exit(code); }),
      programHostDir_(std::move(programHostDir)),
      executableHostPath_(std::move(executableHostPath)),
      batchHostPath_(std::move(batchHostPath)),
      fs_(std::move(fs)),
      storeFile_(std::move(storeFile)),
      services_(services) {
    const QString dos = fs_.toDos(programHostDir_);
    programDirectory_ =
        DosPath::withTrailingBackslash(fs_.shortPath(DosPath::withTrailingBackslash(dos)));
}

QString AppContext::executablePath() const {
    const QString dos = fs_.toDos(executableHostPath_);
    return dos.isEmpty() ? executableHostPath_ : dos;
}

const std::shared_ptr<StoreDatabase>& AppContext::database() const {
    if (!store_) {
        store_ = StoreDatabase::open(storeFile_);
    }
    return store_;
}
