// Rebuilding the game lists from a store of 45,000 game keys over 20
// emulators: by Name, by Emulator, and by Name with play counts.
#include <QApplication>
#include <QFile>
#include <QStringList>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "BenchMemory.h"
#include "BenchNames.h"
#include "app/ui/TFMain.h"
#include "gamelist/ui/GameListWidget.h"
#include "gamelist/ui/GameListsPane.h"
#include "settings/KeyPath.h"
#include "support/TempInstallation.h"

namespace {

using namespace BenchNames;

constexpr int kGames = 45000;
constexpr int kEmulators = 20;
// Emulators 0..16 run many games (14 to 16 are consoles), 17..19 one each.
constexpr int kMultiGame = 17;
constexpr int kRuns = 3;

// As list builds leave it: an emulator key per emulator and a game key per
// game, a tenth of them missing, some played, some run by a second emulator.
void makeInstallation(TempInstallation& inst) {
    for (int e = 0; e < kEmulators; ++e) {
        const QString type = e < 2            ? QStringLiteral("MAME")
                             : e < 14         ? QStringLiteral("MULTI")
                             : e < kMultiGame ? QStringLiteral("CONSOLE")
                                              : QStringLiteral("SINGLE");
        inst.writeLines(u"C:\\BRIVANEL\\" + emulatorId(e) + u".ini",
                        {QStringLiteral("[Emulator]"), u"LBName=" + listName(e), u"Type=" + type,
                         QStringLiteral("ROMPath=ROMS\\")});
    }
    inst.writeLines(QStringLiteral("C:\\BRIVANEL\\picture.dir"), {});

    SettingsStore s(inst.database());
    s.OpenKey(StorePaths::Root(), true);
    s.WriteString(QStringLiteral("Version"), QStringLiteral(".26"));
    s.WriteString(QStringLiteral("Current"), QStringLiteral("Game title 22222 (set 1)"));
    for (int e = 0; e < kEmulators; ++e) {
        s.OpenKey(StorePaths::Entry(listName(e)), true);
        s.WriteString(QStringLiteral("Emulator"), emulatorId(e));
        s.WriteString(QStringLiteral("Location"), u"C:\\EMU\\" + emulatorId(e) + u".EXE");
    }
    for (int g = 0; g < kGames; ++g) {
        s.OpenKey(StorePaths::Entry(
                      QStringLiteral("Game title %1 (set 1)").arg(g, 5, 10, QLatin1Char('0'))),
                  true);
        s.WriteString(QStringLiteral("Emulator"), emulatorId(g % kMultiGame));
        s.WriteString(QStringLiteral("Shortname"), QStringLiteral("g%1").arg(g));
        s.WriteString(QStringLiteral("Location"), g % 10 == 3
                                                      ? QStringLiteral("#")
                                                      : QStringLiteral("C:\\ROMS\\G%1.ZIP").arg(g));
        if (g % 7 == 0) {
            s.WriteInteger(QStringLiteral("Count"), g % 50);
        }
        if (g % 5 == 0) {
            s.WriteString(QStringLiteral("Emulator1"), emulatorId((g + 1) % kMultiGame));
            s.WriteString(QStringLiteral("Shortname1"), QStringLiteral("g%1").arg(g));
        }
    }
}

double medianSeconds(const std::function<void()>& work) {
    std::vector<double> runs;
    for (int run = 0; run < kRuns; ++run) {
        const auto begin = std::chrono::steady_clock::now();
        work();
        runs.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count());
    }
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TempInstallation inst;
    makeInstallation(inst);

    TFMain main(inst.context());
    main.FormActivate();
    const double rssBefore = memoryMiB("VmRSS:");

    auto& lists = *main.findChild<GameListsPane*>(QStringLiteral("GameLists"));
    const auto rebuildIn = [&lists](const ListFill::Switches& view) {
        lists.SetView(view);
        return medianSeconds([&lists] { lists.RebuildLists(); });
    };
    const double byName = rebuildIn({false, true, false});
    const int listed = main.findChild<GameListWidget*>(QStringLiteral("LBArcade"))->count() +
                       main.findChild<GameListWidget*>(QStringLiteral("LBConsole"))->count();
    const double byEmulator = rebuildIn({false, true, true});
    // As the menu leaves it: counts on, missing games off.
    const double byNameCount = rebuildIn({true, false, false});

    std::printf("rebuild_by_name_s: %.3f\n", byName);
    std::printf("rebuild_by_emulator_s: %.3f\n", byEmulator);
    std::printf("rebuild_by_name_count_s: %.3f\n", byNameCount);
    std::printf("rebuild_listed_items: %d\n", listed);
    std::printf("rebuild_rss_growth_mb: %.1f\n", memoryMiB("VmRSS:") - rssBefore);
    std::printf("rebuild_peak_rss_mb: %.1f\n", memoryMiB("VmHWM:"));
    return listed == kGames + kEmulators ? 0 : 1;
}
