#include "app/AppContext.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "platform/DosPath.h"

AppContext::AppContext(QString programHostDir, QString executableHostPath, QString batchHostPath,
                       DosFileSystem fs, std::shared_ptr<StoreDatabase> store, Services services)
    : exitProgram([](int code) { QCoreApplication::exit(code); }),
      programHostDir_(std::move(programHostDir)),
      executableHostPath_(std::move(executableHostPath)),
      batchHostPath_(std::move(batchHostPath)),
      fs_(std::move(fs)),
      store_(std::move(store)),
      services_(services) {
    const QString dos = fs_.toDos(programHostDir_);
    programDirectory_ = DosPath::withTrailingBackslash(fs_.ShortPath(DosPath::withTrailingBackslash(dos)));
}

QString AppContext::ExecutablePath() const {
    const QString dos = fs_.toDos(executableHostPath_);
    return dos.isEmpty() ? executableHostPath_ : dos;
}
