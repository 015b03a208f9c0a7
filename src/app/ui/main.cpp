#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

#include "app/ShutdownSignals.h"
#include "app/ui/FirstFrameReport.h"
#include "app/ui/SingleInstance.h"
#include "app/ui/TFMain.h"
#include "context/AppContext.h"
#include "platform/SdlJoystick.h"
#include "platform/ui/ProgramIcon.h"
#include "platform/ui/QtDialogs.h"
#include "settings/StoreDatabase.h"

namespace {

// The folder holding the definitions is the folder of the executable itself.
QString executablePath() {
    const QString self = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return self.isEmpty() ? QCoreApplication::applicationFilePath() : self;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // No display name: the platform would append it to every frame's title,
    // and each window's title is meant to read exactly as it is set.
    QApplication::setApplicationName(QStringLiteral("Brivanel"));
    QApplication::setWindowIcon(programIcon());

    const QString exe = executablePath();
    const QString programDir = QFileInfo(exe).absolutePath();
    const QString drivesProblem = DriveMap::environmentProblem();
    if (!drivesProblem.isEmpty()) {
        // Before any window: every path the program shows or deletes goes
        // through this map, and a guessed one would point elsewhere.
        std::fprintf(stderr, "brivanel: %s\n", drivesProblem.toLocal8Bit().constData());
        return 1;
    }
    DriveMap drives = DriveMap::fromEnvironment();
    DosFileSystem probe(drives);
    if (probe.toDos(programDir).isEmpty() && drives.hostRoot(u'Z').isEmpty()) {
        drives.set(u'Z', QStringLiteral("/"));  // the program must see its own folder
    }

    QtDialogs dialogs;
    const QString storeFile = StoreDatabase::defaultLocation();
    SingleInstance instance(storeFile);
    switch (instance.claim()) {
        case SingleInstance::Claim::First:
            break;
        case SingleInstance::Claim::OtherShown:
            return 0;
        case SingleInstance::Claim::OtherBusy:
            dialogs.messageBox(QStringLiteral("Brivanel is already running on the settings store "
                                              "%1, but its window does not answer.")
                                   .arg(storeFile),
                               MessageKind::Error, MessageButtons::Ok);
            return 1;
    }
    SystemClock clock;
    SystemProcessStarter starter;
    SdlJoystick joystick;
    AppContext ctx(programDir, exe, programDir + u"/brivanel-batch", DosFileSystem(drives),
                   storeFile, {&dialogs, &clock, &starter, &joystick});

    TFMain main(ctx);
    instance.onRaise([&main] { return SingleInstance::bringToFront(main); });
    // Once the window has closed, a new start waits for this run's end
    // (its shutdown still writes the store) instead of asking it to show.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &instance,
                     &SingleInstance::stopAnswering);
    const ShutdownSignals shutdownSignals([&main] { main.close(); });
    FirstFrameReport::watchIfAsked(main);
    main.show();
    return QApplication::exec();
}
