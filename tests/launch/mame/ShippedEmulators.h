#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

class TempInstallation;

// The emulators the installer ships definitions for, as its table names
// them, and what the tests need to run them for real.
struct ShippedEmulator {
    QString id;          // the launcher is ID/ID.EXE
    QString definition;  // packaging/emulators/<definition>.ini
    QString program;     // the emulator the launcher runs
};
QList<ShippedEmulator> ShippedEmulators();

namespace ShippedEmulatorRun {

// The environment of a user whose home is the installation's C: (no drive
// map needed, the store in the installation), as the installer, the
// program and the emulators see it.
QProcessEnvironment HomeEnvironment(const TempInstallation& inst);
// scripts/install.sh with this build, into that home: empty when it
// succeeded, else what it said.
QString InstallIntoHome(const QProcessEnvironment& env);

// The smallest cartridges the emulators take as real games: a Game Boy
// Color ROM with a valid header and an Atari 2600 4K cartridge, each a
// loop that waits for ever.
QByteArray TinyGameBoyColorRom();
QByteArray TinyAtari2600Rom();

// The controller types Stella's manual lists for its -lc and -rc.
QStringList StellaControllerTypes();
// Stella's settings with their defaults: Stella run on a tiny cartridge in
// a virtual X server with HOME at `home`, ended as a user ends it, and its
// settings read from what it kept.
QMap<QString, QString> StellaDefaults(const QString& home);

}  // namespace ShippedEmulatorRun
