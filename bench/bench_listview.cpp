// Rebuilding the game lists from a store of 45,000 game keys over 20
// emulators, by Name and by Emulator, with and without play counts.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "app/AppContext.h"
#include "app/TFMain.h"
#include "gamelist/GameListWidget.h"
#include "platform/TextCodec.h"
#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"

namespace {

constexpr int kGames = 45000;
constexpr int kEmulators = 20;
constexpr int kRuns = 3;

struct EmulatorSpec {
    QString id;
    QString lbName;
    QString type;
};

std::vector<EmulatorSpec> emulatorSpecs() {
    std::vector<EmulatorSpec> specs;
    for (int i = 0; i < kEmulators; ++i) {
        const QString id = QStringLiteral("EMU%1").arg(i, 2, 10, QLatin1Char('0'));
        // Mostly arcade emulators, three consoles and three single-game ones.
        const QString type = i < 2    ? QStringLiteral("MAME")
                             : i < 14 ? QStringLiteral("MULTI")
                             : i < 17 ? QStringLiteral("CONSOLE")
                                      : QStringLiteral("SINGLE");
        specs.push_back({id, QStringLiteral("Emulator %1 {Author %1}").arg(i), type});
    }
    return specs;
}

void writeDefinitions(const QString& programDir, const std::vector<EmulatorSpec>& specs) {
    for (const EmulatorSpec& spec : specs) {
        QFile file(programDir + u'/' + spec.id + u".ini");
        if (file.open(QIODevice::WriteOnly)) {
            file.write(TextCodec::encodeDosLines({QStringLiteral("[Emulator]"),
                                                  u"LBName=" + spec.lbName, u"Type=" + spec.type,
                                                  QStringLiteral("ROMPath=ROMS\\")}));
        }
    }
    QFile picture(programDir + u"/picture.dir");
    if (picture.open(QIODevice::WriteOnly)) {
        picture.write("");
    }
}

// The store as list builds leave it: an emulator key per emulator and a game
// key per game, a tenth of them missing, some played, some with a second emulator.
void writeStore(const AppContext& ctx, const std::vector<EmulatorSpec>& specs) {
    SettingsStore store = ctx.store();
    store.OpenKey(StorePaths::Root(), true);
    store.WriteString(QStringLiteral("Version"), QStringLiteral(".26"));
    store.WriteString(QStringLiteral("Current"), QStringLiteral("Game title 22222 (set 1)"));
    for (const EmulatorSpec& spec : specs) {
        store.OpenKey(StorePaths::Entry(spec.lbName), true);
        store.WriteString(QStringLiteral("Emulator"), spec.id);
        store.WriteString(QStringLiteral("Location"),
                          u"C:\\" + spec.id + u"\\" + spec.id + u".EXE");
    }
    const int multiGame = 17;
    for (int game = 0; game < kGames; ++game) {
        const QString name =
            QStringLiteral("Game title %1 (set 1)").arg(game, 5, 10, QLatin1Char('0'));
        const EmulatorSpec& spec = specs[size_t(game % multiGame)];
        store.OpenKey(StorePaths::Entry(name), true);
        store.WriteString(QStringLiteral("Emulator"), spec.id);
        store.WriteString(QStringLiteral("Shortname"), QStringLiteral("g%1").arg(game));
        store.WriteString(
            QStringLiteral("Location"),
            game % 10 == 3 ? QStringLiteral("#") : QStringLiteral("C:\\ROMS\\G%1.ZIP").arg(game));
        if (game % 7 == 0) {
            store.WriteInteger(QStringLiteral("Count"), game % 50);
        }
        if (game % 5 == 0) {
            store.WriteString(QStringLiteral("Emulator1"),
                              specs[size_t((game + 1) % multiGame)].id);
            store.WriteString(QStringLiteral("Shortname1"), QStringLiteral("g%1").arg(game));
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

// "VmHWM" (peak) or "VmRSS" of this process, in MiB.
double memoryMiB(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field)) {
            return line.mid(int(qstrlen(field)) + 1).trimmed().split(' ').value(0).toDouble() /
                   1024.0;
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString programDir = dir.path() + u"/c/BRIVANEL";
    QDir().mkpath(programDir);
    DriveMap drives;
    drives.set(u'C', dir.path() + u"/c");

    ScriptedDialogs dialogs;
    SystemClock clock;
    RecordingProcessStarter starter;
    ScriptedJoystick joystick;
    AppContext ctx(programDir, programDir + u"/brivanel", programDir + u"/brivanel-batch",
                   DosFileSystem(drives), dir.path() + u"/registry.sqlite",
                   {&dialogs, &clock, &starter, &joystick});
    const std::vector<EmulatorSpec> specs = emulatorSpecs();
    writeDefinitions(programDir, specs);
    writeStore(ctx, specs);

    TFMain main(ctx);
    main.FormActivate();
    const double before = memoryMiB("VmRSS:");

    main.byName1->setChecked(true);
    main.byCount1->setChecked(false);
    main.MissingGames1->setChecked(true);
    const double byName = medianSeconds([&main] { main.RebuildLists(); });
    const int listed = main.LBArcade->count() + main.LBConsole->count();

    main.byEmulator1->setChecked(true);
    const double byEmulator = medianSeconds([&main] { main.RebuildLists(); });

    // As the menu leaves it: counts on, missing games off.
    main.byName1->setChecked(true);
    main.byCount1->setChecked(true);
    main.MissingGames1->setChecked(false);
    const double byNameCount = medianSeconds([&main] { main.RebuildLists(); });

    std::printf("rebuild_by_name_s: %.3f\n", byName);
    std::printf("rebuild_by_emulator_s: %.3f\n", byEmulator);
    std::printf("rebuild_by_name_count_s: %.3f\n", byNameCount);
    std::printf("rebuild_items_listed: %d\n", listed);
    std::printf("rebuild_rss_growth_mb: %.1f\n", memoryMiB("VmRSS:") - before);
    std::printf("rebuild_peak_rss_mb: %.1f\n", memoryMiB("VmHWM:"));
    return listed > 0 ? 0 : 1;
}
