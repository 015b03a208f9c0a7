#pragma once

#include <QStringList>

#include "settings/KeyPath.h"
#include "support/TempInstallation.h"

// The installation the start-up benchmarks start on: 45,000 game keys over
// 20 definitions of the four kinds, each with its list file, and one of the
// games current.
namespace StartupInstallation {

constexpr int kGames = 45000;
constexpr int kEmulators = 20;
constexpr int kCurrentGame = 22500;

inline QString gameName(int g) {
    return QStringLiteral("Game number %1").arg(g);
}
inline QString shortName(int g) {
    return QStringLiteral("game%1").arg(g);
}

inline void make(TempInstallation& inst) {
    const char* types[] = {"MAME", "MULTI", "CONSOLE", "SINGLE"};
    for (int e = 0; e < kEmulators; ++e) {
        const QString id = QStringLiteral("EMU%1").arg(e, 2, 10, QLatin1Char('0'));
        inst.writeFile(
            QStringLiteral("C:\\BRIVANEL\\%1.ini").arg(id),
            QStringLiteral("[Emulator]\r\nLBName=Emulator %1 {bench}\r\nType=%2\r\nPlatform=P%1\r\n"
                           "[Vector]\r\nCheck=-vector\r\n[Resolutions]\r\n640x480=-640\r\n")
                .arg(e)
                .arg(QString::fromLatin1(types[e % 4]))
                .toUtf8());
        QStringList list{QStringLiteral("[Games]")};
        for (int g = e; g < kGames; g += kEmulators) {
            list << shortName(g) + u'=' + gameName(g);
        }
        inst.writeLines(QStringLiteral("C:\\BRIVANEL\\%1.lst").arg(id), list);
    }
    // A store of its own: a program started on the installation finds the
    // file closed, as after a shutdown.
    SettingsStore s(StoreDatabase::open(inst.storeFile()));
    s.OpenKey(StorePaths::Root(), true);
    s.WriteString(QStringLiteral("Version"), QStringLiteral(".26"));
    s.WriteString(QStringLiteral("Current"), gameName(kCurrentGame));
    for (int g = 0; g < kGames; ++g) {
        s.OpenKey(StorePaths::Entry(gameName(g)), true);
        s.WriteString(QStringLiteral("Location"), g % 7 == 0
                                                      ? QStringLiteral("#")
                                                      : QStringLiteral("C:\\ROMS\\G%1.ZIP").arg(g));
        s.WriteString(QStringLiteral("Emulator"),
                      QStringLiteral("EMU%1").arg(g % kEmulators, 2, 10, QLatin1Char('0')));
        s.WriteString(QStringLiteral("Shortname"), shortName(g));
    }
}

}  // namespace StartupInstallation
