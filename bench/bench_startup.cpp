// Start-up on a store of 45,000 game keys and 20 definitions, up to the
// moment the window is shown with its lists; and single-value store writes
// and reads.
#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "app/ui/TFMain.h"
#include "gamelist/ui/GameListWidget.h"
#include "settings/KeyPath.h"
#include "support/TempInstallation.h"

namespace {

constexpr int kGames = 45000;
constexpr int kEmulators = 20;

void makeInstallation(TempInstallation& inst) {
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
            list << QStringLiteral("game%1=Game number %1").arg(g);
        }
        inst.writeLines(QStringLiteral("C:\\BRIVANEL\\%1.lst").arg(id), list);
    }
    SettingsStore s(inst.database());
    s.OpenKey(StorePaths::Root(), true);
    s.WriteString(QStringLiteral("Version"), QStringLiteral(".26"));
    s.WriteString(QStringLiteral("Current"), QStringLiteral("Game number 22500"));
    for (int g = 0; g < kGames; ++g) {
        const QString name = QStringLiteral("Game number %1").arg(g);
        s.OpenKey(StorePaths::Entry(name), true);
        s.WriteString(QStringLiteral("Location"), g % 7 == 0
                                                      ? QStringLiteral("#")
                                                      : QStringLiteral("C:\\ROMS\\G%1.ZIP").arg(g));
        s.WriteString(QStringLiteral("Emulator"),
                      QStringLiteral("EMU%1").arg(g % kEmulators, 2, 10, QLatin1Char('0')));
        s.WriteString(QStringLiteral("Shortname"), QStringLiteral("game%1").arg(g));
    }
}

double storeOperations(TempInstallation& inst, bool write, int count) {
    SettingsStore s(inst.database());
    s.OpenKey(StorePaths::Entry(QStringLiteral("Bench Key")), true);
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("Value %1").arg(i % 1000);
        if (write) {
            s.WriteString(name, QStringLiteral("text %1").arg(i));
        } else if (s.ReadString(name).isEmpty()) {
            std::fprintf(stderr, "lost value %s\n", qPrintable(name));
        }
    }
    return double(timer.nsecsElapsed()) / 1000.0 / count;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TempInstallation inst;
    makeInstallation(inst);

    QElapsedTimer timer;
    timer.start();
    {
        TFMain main(inst.context());
        main.show();
        main.FormActivate();
        QApplication::processEvents();
        std::printf("startup_45k_s: %.3f\n", double(timer.nsecsElapsed()) / 1e9);
        const auto count = [&main](const char* list) {
            return main.findChild<GameListWidget*>(QString::fromLatin1(list))->count();
        };
        std::printf("startup_listed_items: %d\n", count("LBArcade") + count("LBConsole"));
    }
    std::printf("store_write_us: %.2f\n", storeOperations(inst, true, 100000));
    std::printf("store_read_us: %.2f\n", storeOperations(inst, false, 100000));
    return 0;
}
