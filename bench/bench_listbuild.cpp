// A list build's game phase at full size: 1,000,000 found files and a list
// of 45,000 games (26,000 of them clones), handled one tick at a time by the
// main window; and the conversion of a MAME-type emulator's list output.
//
// game_step_ms_median / game_step_ms_max: one tick's work for one game
//   (stored-location test, ROM search with the parent fallback, store
//   writes, list box, labels), over every game after the first;
// list_ready_tick_ms: the tick that finds the list file, reads its 45,000
//   names and handles the first game;
// index_build_s: indexing the found-files list, done once after the search;
// plain_scan_ms_median: one ROM lookup by scanning the list, for comparison;
// convert_45k_s: converting a 45,000-row "-listfull" and a 26,000-row
//   "-listclones" output in place, as the tick that finds them does.
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/ui/TFMain.h"
#include "gamelist/FoundFilesIndex.h"
#include "gamelist/MameListConversion.h"
#include "gamelist/ui/GameListWidget.h"
#include "gamelist/ui/ListBuildController.h"
#include "settings/KeyPath.h"
#include "support/TempInstallation.h"
#include "tools/FoundFiles.h"

namespace {

constexpr int kGames = 45000;
constexpr int kClones = 26000;
constexpr int kFoundFiles = 1000000;
const QString kListName = QStringLiteral("Bench Arcade {bench}");

// Short names as a current emulator has them: lower case, some long.
QString shortName(int game) {
    return game % 10 == 0 ? QStringLiteral("longsetname%1bootleg").arg(game)
                          : QStringLiteral("set%1").arg(game);
}

bool isClone(int game) {
    return game % 45 < 26;
}
int parentOf(int game) {
    return game - game % 45 + 30;
}  // a parent of the same block

void makeInstallation(TempInstallation& inst, QStringList& foundFiles) {
    inst.writeLines(QStringLiteral("C:\\BRIVANEL\\BENCH.ini"),
                    {QStringLiteral("[Emulator]"), u"LBName=" + kListName,
                     QStringLiteral("Type=MULTI"), QStringLiteral("Extensions=*.bin"),
                     QStringLiteral("[Resolutions]"), QStringLiteral("640x480=-640")});
    inst.writeFile(QStringLiteral("C:\\EMU\\BENCH\\BENCH.EXE"), "exe");
    QStringList list{QStringLiteral("[Games]")};
    QStringList merge{QStringLiteral("[Merged]")};
    QStringList roms;
    for (int g = 0; g < kGames; ++g) {
        list << shortName(g) + QStringLiteral("=Game \"%1\" (set %2)").arg(g).arg(g % 7);
        if (isClone(g)) {
            merge << shortName(g) + u'=' + shortName(parentOf(g));
            if (g % 5 == 0) {
                roms << QStringLiteral("D:\\ROMS\\CLONES\\") + shortName(g).toUpper() + u".ZIP";
            }
        } else if (g % 9 != 0) {
            roms << QStringLiteral("D:\\ROMS\\") + shortName(g).toUpper() + u".ZIP";
        }
    }
    inst.writeLines(QStringLiteral("C:\\BRIVANEL\\BENCH.lst"), list);
    inst.writeLines(QStringLiteral("C:\\BRIVANEL\\BENCH.MRG"), merge);

    // The ROMs scattered among other files, as a walk of whole drives finds them.
    foundFiles.reserve(kFoundFiles);
    foundFiles << QStringLiteral("C:\\EMU\\BENCH\\BENCH.EXE");
    const int fillers = kFoundFiles - 1 - int(roms.size());
    const int step = fillers / int(roms.size()) + 1;
    int rom = 0;
    for (int i = 0; i < fillers; ++i) {
        if (i % step == 0 && rom < roms.size()) {
            foundFiles << roms[rom++];
        }
        foundFiles << QStringLiteral("C:\\DATA\\SET%1\\PART%2.OLD.%3")
                          .arg(i % 977)
                          .arg(i)
                          .arg(i % 2 ? QStringLiteral("EXE") : QStringLiteral("ZIP"));
    }
    while (rom < roms.size()) {
        foundFiles << roms[rom++];
    }

    SettingsStore s(inst.database());
    s.OpenKey(StorePaths::Root(), true);
    s.WriteString(QStringLiteral("Version"), QStringLiteral(".26"));
}

double percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    return values[size_t(fraction * double(values.size() - 1))];
}

double convertSeconds(TempInstallation& inst) {
    QStringList full{QStringLiteral("Name:             Description:")};
    QStringList clones{QStringLiteral("Name:            Clone of:")};
    for (int g = 0; g < kGames; ++g) {
        full << shortName(g).leftJustified(17, u' ') +
                    QStringLiteral(" \"Game \"%1\" (Français)\"").arg(g);
        if (isClone(g)) {
            clones << shortName(g).leftJustified(16, u' ') + u' ' + shortName(parentOf(g));
        }
    }
    inst.writeLines(QStringLiteral("C:\\BRIVANEL\\CONV.LST"), full);
    inst.writeLines(QStringLiteral("C:\\BRIVANEL\\CONV.MRG"), clones);
    QElapsedTimer timer;
    timer.start();
    MameListConversion::ConvertListFiles(inst.fs(), QStringLiteral("C:\\BRIVANEL\\CONV.lst"));
    return double(timer.nsecsElapsed()) / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    TempInstallation inst;
    QStringList foundFiles;
    makeInstallation(inst, foundFiles);

    TFMain main(inst.context());
    main.show();
    main.FormActivate();
    auto& build = *main.findChild<ListBuildController*>(QStringLiteral("ListBuild"));

    main.findChild<FoundFiles*>(QStringLiteral("FoundFiles"))->Replace(foundFiles);
    QElapsedTimer timer;
    timer.start();
    build.FoundFilesLookup();
    const double indexSeconds = double(timer.nsecsElapsed()) / 1e9;

    // The index must answer as the scan does; a sample shows what the scan costs.
    std::vector<double> plainScans;
    for (int g = 0; g < kGames; g += kGames / 20) {
        const QString key = u'\\' + shortName(g) + u'.';
        timer.restart();
        const QString scanned = FindInFoundFiles(foundFiles, key, false);
        plainScans.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (build.FoundFilesLookup().findAll(key).join(u'\r') != scanned) {
            std::fprintf(stderr, "index and scan differ for %s\n", qPrintable(key));
            return 1;
        }
    }

    // The build as the search options' OK starts it, after the drive search.
    build.BuildFromFoundFiles({kListName});
    if (!build.IsRunning()) {
        std::fprintf(stderr, "the emulator step did not start the timer\n");
        return 1;
    }
    timer.restart();
    build.Timer1Timer();
    const double listReadyMs = double(timer.nsecsElapsed()) / 1e6;

    std::vector<double> steps;
    steps.reserve(kGames);
    while (build.IsRunning()) {
        timer.restart();
        build.Timer1Timer();
        steps.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    // The last tick ends the emulator and rebuilds the lists: not a game.
    steps.pop_back();
    // Every game and the emulator's own entry are listed once the lists are rebuilt.
    const int listed = main.findChild<GameListWidget*>(QStringLiteral("LBArcade"))->count();
    if (int(steps.size()) != kGames - 1 || listed != kGames + 1) {
        std::fprintf(stderr, "unexpected build: %zu ticks, %d items\n", steps.size(), listed);
        return 1;
    }

    std::printf("index_build_s: %.3f\n", indexSeconds);
    std::printf("plain_scan_ms_median: %.2f\n", percentile(plainScans, 0.5));
    std::printf("list_ready_tick_ms: %.1f\n", listReadyMs);
    std::printf("game_step_ms_median: %.3f\n", percentile(steps, 0.5));
    std::printf("game_step_ms_p99: %.3f\n", percentile(steps, 0.99));
    std::printf("game_step_ms_max: %.3f\n", percentile(steps, 1.0));
    std::printf("convert_45k_s: %.3f\n", convertSeconds(inst));
    std::fflush(stdout);
    return 0;
}
