#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "catalogue/ProfileCache.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/DosFileSystem.h"
#include "platform/Joystick.h"
#include "platform/ProcessStarter.h"
#include "settings/SettingsStore.h"

// What the program needs from outside its own process, handed to the main
// window so that a test can run it on a temporary installation. The
// services are owned by whoever builds the context and outlive it.
class AppContext {
public:
    struct Services {
        Dialogs* dialogs = nullptr;
        Clock* clock = nullptr;
        ProcessStarter* starter = nullptr;
        Joystick* joystick = nullptr;
    };

    AppContext(QString programHostDir, QString executableHostPath, QString batchHostPath,
               DosFileSystem fs, QString storeFile, Services services);

    // Ends the program with an exit code; production quits the event loop.
    std::function<void(int)> exitProgram;

    const QString& programHostDir() const { return programHostDir_; }
    const QString& executableHostPath() const { return executableHostPath_; }
    const QString& batchHostPath() const { return batchHostPath_; }
    const DosFileSystem& fs() const { return fs_; }
    // A fresh handle on the store. The file is opened on first use, so that a
    // program directory without definitions never touches it; a file that
    // cannot be used throws StoreOpenError.
    SettingsStore store() const { return SettingsStore(database()); }
    const std::shared_ptr<StoreDatabase>& database() const;
    const QString& storeFile() const { return storeFile_; }
    Dialogs& dialogs() const { return *services_.dialogs; }
    Clock& clock() const { return *services_.clock; }
    ProcessStarter& starter() const { return *services_.starter; }
    Joystick& joystick() const { return *services_.joystick; }
    ProfileCache& profiles() const { return profiles_; }

    // The program directory in short form with a trailing "\".
    const QString& ProgramDirectory() const { return programDirectory_; }
    // The DOS path of the running executable, as the restart line names it.
    QString executablePath() const;

private:
    QString programHostDir_;
    QString executableHostPath_;
    QString batchHostPath_;
    DosFileSystem fs_;
    QString storeFile_;
    mutable std::shared_ptr<StoreDatabase> store_;
    Services services_;
    QString programDirectory_;
    mutable ProfileCache profiles_;
};
