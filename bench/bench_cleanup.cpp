// List Box Cleanup on a store of 45,000 game entries whose emulators have
// 20 list files of realistic size (one MAME-size list, the others smaller),
// with a few per cent of the entries outdated.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QThread>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "BenchNames.h"
#include "app/StartupLogic.h"
#include "app/ui/TFMain.h"
#include "gamelist/ListCleanup.h"
#include "settings/KeyPath.h"
#include "support/TempInstallation.h"

namespace {

using namespace BenchNames;

constexpr int kGames = 45000;
constexpr int kEmulators = 20;

// Half the games go to the first emulator, as a MAME list holds most of
// them; the rest spread over the other nineteen.
int emulatorOf(int g) {
    return g % 2 == 0 ? 0 : 1 + (g / 2) % (kEmulators - 1);
}

struct Expected {
    int outdated = 0;
};

// Every 50th game is gone from its list file, every 70th found game has
// lost its ROM file; a tenth are missing games and some lie in "Dir".
Expected makeInstallation(TempInstallation& inst) {
    Expected expected;
    std::vector<QStringList> lists(kEmulators, QStringList{QStringLiteral("[Games]")});
    for (int e = 0; e < kEmulators; ++e) {
        inst.writeLines(
            u"C:\\BRIVANEL\\" + emulatorId(e) + u".ini",
            {QStringLiteral("[Emulator]"), u"LBName=" + listName(e), QStringLiteral("Type=MULTI")});
        QDir().mkpath(inst.host(u"C:\\ROMS\\" + emulatorId(e)));
    }
    inst.writeLines(QStringLiteral("C:\\BRIVANEL\\picture.dir"), {});

    SettingsStore s(inst.database());
    s.OpenKey(StorePaths::Root(), true);
    s.WriteString(QStringLiteral("Version"), QStringLiteral(".26"));
    for (int e = 0; e < kEmulators; ++e) {
        s.OpenKey(StorePaths::Entry(listName(e)), true);
        s.WriteString(QStringLiteral("Emulator"), emulatorId(e));
        s.WriteString(QStringLiteral("Location"), QString());
    }
    for (int g = 0; g < kGames; ++g) {
        const int e = emulatorOf(g);
        const QString game = shortName(g);
        const bool dropped = g % 50 == 7;
        if (!dropped) {
            const QString name = gameName(g);
            lists[size_t(e)] << (g % 3 == 0 ? QString(game + u"=\"" + name + u'"')
                                            : QString(game + u'=' + name));
        }
        QString location;
        bool romGone = false;
        if (g % 10 == 3) {
            location = QStringLiteral("#");
        } else if (g % 10 == 5) {
            location = QStringLiteral("Dir");
        } else {
            location = u"C:\\ROMS\\" + emulatorId(e) + u"\\G" + QString::number(g) + u".ZIP";
            romGone = g % 70 == 1;
            if (!romGone) {
                QFile(inst.host(location)).open(QIODevice::WriteOnly);
            }
        }
        expected.outdated += dropped || romGone ? 1 : 0;
        s.OpenKey(StorePaths::Entry(gameName(g)), true);
        s.WriteString(QStringLiteral("Emulator"), emulatorId(e));
        s.WriteString(QStringLiteral("Shortname"), game);
        s.WriteString(QStringLiteral("Location"), location);
    }
    for (int e = 0; e < kEmulators; ++e) {
        // A list file's other sections, as real ones have them.
        lists[size_t(e)] << QString() << QStringLiteral("[Directories]")
                         << QStringLiteral("g1=game1dir");
        inst.writeLines(u"C:\\BRIVANEL\\" + emulatorId(e) + u".lst", lists[size_t(e)]);
    }
    return expected;
}

double secondsOf(const std::function<void()>& work) {
    const auto begin = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TempInstallation inst;
    const Expected expected = makeInstallation(inst);

    TFMain main(inst.context());
    main.FormActivate();
    // A folder listing is trusted only once its folder has not changed for a
    // few seconds; a user's ROM folders are long settled, the ones made just
    // now are not, and would be listed again at every lookup.
    QThread::sleep(4);

    // The clean-up is given the emulators as start-up loaded them.
    EmulatorTable emulators;
    StartupLogic::LoadEmulators(inst.context(), emulators);
    QStringList deleted;
    const double cleanup = secondsOf([&] {
        deleted = ListCleanup::Run(inst.context(), emulators,
                                   [](const QString&, qsizetype, qsizetype) {});
    });
    // The whole command once more, as the menu runs it: nothing is left to
    // delete, but every entry is checked again and the lists are rebuilt.
    QAction* cleanupCommand = main.findChild<QAction*>(QStringLiteral("LongNameCleanup1"));
    const double command = secondsOf([cleanupCommand] { cleanupCommand->trigger(); });

    std::printf("cleanup_45k_s: %.3f\n", cleanup);
    std::printf("cleanup_45k_command_s: %.3f\n", command);
    std::printf("cleanup_45k_deleted: %d\n", int(deleted.size()));
    return int(deleted.size()) == expected.outdated ? 0 : 1;
}
