#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <ostream>

#include "context/AppContext.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/DriveMap.h"
#include "platform/Joystick.h"
#include "platform/ProcessStarter.h"
#include "support/TestDoubles.h"

// A throw-away installation: drive folders C: and D: in a temporary
// directory, a program directory C:\BRIVANEL, a store file, and the scripted
// stand-ins for dialogs, clock, process starts and joystick.
// Readable QString values in test failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << '{' << list.join(QStringLiteral(" | ")).toStdString() << '}';
}

class TempInstallation {
public:
    explicit TempInstallation(const QString& programFolder = QStringLiteral("BRIVANEL"));
    // With BRIVANEL_STORE_DUMPS naming a folder, the store as the test left
    // it is kept there (StoreDump lines, one file per installation), so that
    // two builds can be compared scenario by scenario.
    ~TempInstallation();

    QString root() const { return dir_.path(); }
    const DriveMap& drives() const { return drives_; }
    DosFileSystem fs() const { return DosFileSystem(drives_); }
    // Host path for a DOS path (existing or not).
    QString host(const QString& dosPath) const;
    void mkdir(const QString& dosPath) const;
    void writeFile(const QString& dosPath, const QByteArray& content) const;
    // Lines joined with CR LF, each line ended.
    void writeLines(const QString& dosPath, const QStringList& lines) const;
    QByteArray readFile(const QString& dosPath) const;

    QString programHostDir() const;
    QString storeFile() const { return dir_.path() + u"/store/registry.sqlite"; }
    std::shared_ptr<StoreDatabase> database();
    // The context every window and unit of the program runs on.
    AppContext& context();
    // brivanel-batch, from the build (BRIVANEL_BATCH) or beside the test.
    static QString batchInterpreter();

    ScriptedDialogs dialogs;
    SettableClock clock;
    RecordingProcessStarter starter;
    ScriptedJoystick joystick;
    QList<int> exitCodes;

private:
    void keepStoreDump() const;

    QTemporaryDir dir_;
    DriveMap drives_;
    QString programFolder_;
    std::shared_ptr<StoreDatabase> database_;
    std::unique_ptr<AppContext> context_;
};
