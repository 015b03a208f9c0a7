// The first list build of a MAME installation as a new user meets it: no
// store yet, the search options answered with MAME under "Yes" and the paths
// C: and D:, 200 ROM archives among 100,000 other files, and the emulator's
// whole list. Timed through the main window on its real event loop, from OK
// until the lists are shown.
//
// first_build_mame_fast_s: the fast pace, on the lists MAME 0.251 printed
//   (kept in bench/data, so that no mame is needed), by an emulator that
//   cannot print -listxml;
// first_build_mame_fast_facts_s: the same, with Debian's mame 0.251 printing
//   -listxml for the facts of its machines (where it is installed);
// first_build_mame_fast_store_equal: 1 when a build of a 2,000-system
//   excerpt leaves the same store, value by value, at both paces, and the
//   store that bench/data/first-build-excerpt-store.txt.gz holds: the one
//   the build left before its ticks were made faster. `--write-reference
//   FILE` builds only the excerpt and writes its store there, to make that
//   file again when what a build stores changes on purpose.
//
// With --real MAME [--pace slow|fast] the emulator itself is asked for its
// lists (bench/real_first_build), and the figure is
// real_first_build_<pace>_s; at the slow pace a tick of 100 ms handles one
// game, so that run takes over an hour.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>
#include <optional>

#include "app/ui/TFMain.h"
#include "gamelist/ui/ListBuildController.h"
#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"
#include "support/StandIn.h"
#include "support/StoreDump.h"
#include "support/TempInstallation.h"

namespace {

constexpr int kRomArchives = 200;
constexpr int kOtherFiles = 100000;
constexpr int kExcerpt = 2000;
const QString kMame = QStringLiteral("MAME {The MAME Team}");

enum class Pace { Slow, Fast };

// The two outputs, uncompressed; `limit` keeps the first systems of the
// list and the clones among them.
struct MameOutputs {
    QStringList full;
    QStringList clones;
};

QStringList gunzip(const QString& file) {
    QProcess gzip;
    gzip.start(QStringLiteral("gzip"), {QStringLiteral("-dc"), file});
    gzip.waitForFinished(120000);
    return QString::fromUtf8(gzip.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

MameOutputs storedOutputs(std::optional<int> limit) {
    const QString data = QStringLiteral(BRIVANEL_BENCH_DATA);
    MameOutputs out{gunzip(data + u"/mame0251-listfull.txt.gz"),
                    gunzip(data + u"/mame0251-listclones.txt.gz")};
    if (limit && out.full.size() > *limit + 1) {
        out.full = out.full.mid(0, *limit + 1);
        QSet<QString> kept;
        for (const QString& row : out.full.mid(1)) {
            kept.insert(row.section(u' ', 0, 0));
        }
        QStringList clones{out.clones.value(0)};
        for (const QString& row : out.clones.mid(1)) {
            if (kept.contains(row.section(u' ', 0, 0))) {
                clones << row;
            }
        }
        out.clones = clones;
    }
    return out;
}

QString shortNameOf(const QString& fullRow) {
    return fullRow.section(u' ', 0, 0);
}

// The entries a build makes of the list: one per full name, ignoring case
// as the store's key names do ("Vector" and "VECTOR" are one entry).
int distinctGames(const QStringList& full) {
    QSet<QString> names;
    for (const QString& row : full.mid(1)) {
        names.insert(row.section(u'"', 1, -2).toCaseFolded());
    }
    return int(names.size());
}

// C:\BRIVANEL with the shipped definition, C:\EMU\MAME\MAME.EXE running
// `mameBody`, and D: with the ROM archives among the other files.
void makeInstallation(TempInstallation& inst, const QString& mameBody,
                      const QStringList& romNames) {
    QFile::copy(QStringLiteral(BRIVANEL_MAME_DEFINITION),
                inst.host(QStringLiteral("C:\\BRIVANEL\\mame.ini")));
    StandIn::writeProgram(inst, QStringLiteral("C:\\EMU\\MAME\\MAME.EXE"), mameBody);
    for (const QString& name : romNames) {
        inst.writeFile(u"D:\\ROMS\\" + name + u".zip", "PK\x05\x06");
    }
    const QString root = inst.host(QStringLiteral("D:\\")) + u"/files";
    for (int i = 0; i < kOtherFiles; ++i) {
        const QString folder =
            root + QStringLiteral("/set%1").arg(i / 500, 3, 10, QLatin1Char('0'));
        if (i % 500 == 0) {
            QDir().mkpath(folder);
        }
        static const char* const kinds[] = {"dat", "txt", "zip", "exe", "png"};
        QFile file(folder + QStringLiteral("/part%1.%2").arg(i).arg(QLatin1String(kinds[i % 5])));
        file.open(QIODevice::WriteOnly);
    }
}

// `facts`: the program that prints -listxml; none, and the stand-in cannot.
QString catBody(const QString& folder, const QString& facts = {}) {
    const QString listXml =
        facts.isEmpty() ? QString()
                        : u"-listxml) exec " + StandIn::shellQuoted(facts) + u" -listxml ;;\n";
    return u"case \"$1\" in\n-listfull) exec cat " + StandIn::shellQuoted(folder + u"/full.txt") +
           u" ;;\n-listclones) exec cat " + StandIn::shellQuoted(folder + u"/clones.txt") +
           u" ;;\n" + listXml + u"esac\nexit 1";
}

void writeOutputs(const QString& folder, const MameOutputs& outputs) {
    for (const auto& [name, lines] : {std::pair{QStringLiteral("full.txt"), outputs.full},
                                      std::pair{QStringLiteral("clones.txt"), outputs.clones}}) {
        QFile file(folder + u'/' + name);
        file.open(QIODevice::WriteOnly);
        file.write((lines.join(u'\n') + u'\n').toUtf8());
    }
}

QStringList romNamesOf(const QStringList& full, int count) {
    QStringList names;
    const qsizetype systems = full.size() - 1;
    for (int i = 0; i < count && i < systems; ++i) {
        names << shortNameOf(full[1 + qsizetype(i) * systems / count]);
    }
    return names;
}

double processorSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

struct BuildRun {
    double seconds = 0;
    // The processor time the program itself spent on it, which a busy
    // machine stretches less than the seconds.
    double processorSeconds = 0;
    int gameEntries = 0;
    QStringList dump;
};

// A first start on the installation, answered as a user would; the build
// then runs on the window's own timer (or, with `tickDirectly`, tick after
// tick without waiting, for the excerpt whose timing does not matter).
BuildRun firstBuild(TempInstallation& inst, Pace pace, bool tickDirectly) {
    SystemClock clock;
    SystemProcessStarter starter;
    AppContext ctx(inst.programHostDir(), inst.programHostDir() + u"/brivanel",
                   TempInstallation::batchInterpreter(), inst.fs(), inst.storeFile(),
                   {&inst.dialogs, &clock, &starter, &inst.joystick});
    ctx.exitProgram = [](int code) { std::exit(code); };
    QElapsedTimer timer;
    double processorAtOk = 0;
    inst.dialogs.answerDialog(mrOk, [&](QObject& dialog) {
        auto& yes = *dialog.findChild<QListWidget*>(QStringLiteral("LBYes"));
        auto& no = *dialog.findChild<QListWidget*>(QStringLiteral("LBNo"));
        no.clear();
        yes.clear();
        yes.addItem(kMame);
        dialog.findChild<QLineEdit*>(QStringLiteral("ESearchDrives"))
            ->setText(QStringLiteral("C:;D:"));
        if (auto* fast = dialog.findChild<QCheckBox*>(QStringLiteral("CBFastListBuild"))) {
            fast->setChecked(pace == Pace::Fast);
        }
        timer.start();
        processorAtOk = processorSeconds();
    });
    BuildRun run;
    {
        TFMain main(ctx);
        main.show();
        main.FormActivate();
        auto& build = *main.findChild<ListBuildController*>(QStringLiteral("ListBuild"));
        while (build.IsRunning()) {
            if (tickDirectly && build.State().Timer1Tag > 0) {
                build.Timer1Timer();
                QCoreApplication::processEvents();
            } else {
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
            }
        }
        run.seconds = double(timer.nsecsElapsed()) / 1e9;
        run.processorSeconds = processorSeconds() - processorAtOk;
    }
    SettingsStore store(inst.database());
    store.OpenKey(StorePaths::Root(), false);
    run.gameEntries = int(store.GetKeyNames().size()) - 1;  // less the emulator's own key
    run.dump = StoreDump::lines(inst.storeFile());
    return run;
}

int fail(const char* what) {
    std::fprintf(stderr, "bench_first_build: %s\n", what);
    return 1;
}

int realRun(const QString& mame, Pace pace) {
    TempInstallation inst;
    inst.mkdir(QStringLiteral("C:\\home"));
    const QString body = u"export HOME=" +
                         StandIn::shellQuoted(inst.host(QStringLiteral("C:\\home"))) + u"\nexec " +
                         StandIn::shellQuoted(mame) + u" \"$@\"";
    QProcess listing;
    listing.start(mame, {QStringLiteral("-listfull")});
    listing.waitForFinished(300000);
    const QStringList full =
        QString::fromUtf8(listing.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    makeInstallation(inst, body, romNamesOf(full, kRomArchives));
    const BuildRun run = firstBuild(inst, pace, false);
    std::printf("real_first_build_%s_s: %.1f\n", pace == Pace::Fast ? "fast" : "slow", run.seconds);
    std::printf("real_first_build_game_entries: %d\n", run.gameEntries);
    return run.gameEntries == distinctGames(full) ? 0 : fail("not every system has an entry");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qsizetype real = args.indexOf(QStringLiteral("--real"));
    if (real > 0) {
        const qsizetype pace = args.indexOf(QStringLiteral("--pace"));
        return realRun(args.value(real + 1),
                       args.value(pace + 1) == u"slow" && pace > 0 ? Pace::Slow : Pace::Fast);
    }

    const qsizetype writeReference = args.indexOf(QStringLiteral("--write-reference"));
    double fastSeconds = 0;
    double fastProcessorSeconds = 0;
    const MameOutputs outputs = storedOutputs(std::nullopt);
    if (writeReference < 0) {
        TempInstallation inst;
        writeOutputs(inst.root(), outputs);
        makeInstallation(inst, catBody(inst.root()), romNamesOf(outputs.full, kRomArchives));
        const BuildRun run = firstBuild(inst, Pace::Fast, false);
        if (run.gameEntries != distinctGames(outputs.full)) {
            return fail("the fast build left systems without an entry");
        }
        fastSeconds = run.seconds;
        fastProcessorSeconds = run.processorSeconds;
    }
    const QString mame = QStringLiteral("/usr/games/mame");
    if (writeReference < 0 && QFileInfo(mame).isExecutable()) {
        TempInstallation inst;
        writeOutputs(inst.root(), outputs);
        makeInstallation(inst, catBody(inst.root(), mame), romNamesOf(outputs.full, kRomArchives));
        const BuildRun run = firstBuild(inst, Pace::Fast, false);
        // Its devices and BIOS sets are left out: thousands fewer entries.
        if (run.gameEntries >= distinctGames(outputs.full) - 5000) {
            return fail("the build with the facts listed the devices");
        }
        std::printf("first_build_mame_fast_facts_s: %.1f\n", run.seconds);
        std::printf("first_build_mame_fast_facts_game_entries: %d\n", run.gameEntries);
    }

    const MameOutputs excerpt = storedOutputs(kExcerpt);
    std::optional<QStringList> first;
    bool equal = true;
    for (const Pace pace : {Pace::Slow, Pace::Fast}) {
        TempInstallation inst;
        writeOutputs(inst.root(), excerpt);
        makeInstallation(inst, catBody(inst.root()), romNamesOf(excerpt.full, kRomArchives));
        BuildRun run = firstBuild(inst, pace, true);
        if (run.gameEntries != distinctGames(excerpt.full)) {
            return fail("the excerpt's build left systems without an entry");
        }
        // The pace itself is the one value that differs on purpose, and the
        // window's place is the window's, not the build's.
        run.dump.removeIf([](const QString& line) {
            return line.contains(u"| Fast List Build |") || line.contains(u"| Window Geometry |");
        });
        if (!first) {
            first = run.dump;
        } else {
            equal = *first == run.dump;
        }
    }
    if (writeReference > 0) {
        QFile file(args.value(writeReference + 1));
        return file.open(QIODevice::WriteOnly) &&
                       file.write((first->join(u'\n') + u'\n').toUtf8()) > 0
                   ? 0
                   : fail("the reference was not written");
    }
    const QStringList reference =
        gunzip(QStringLiteral(BRIVANEL_BENCH_DATA) + u"/first-build-excerpt-store.txt.gz");
    if (reference.isEmpty()) {
        return fail("no reference store in bench/data");
    }
    equal = equal && *first == reference;
    std::printf("first_build_mame_fast_s: %.1f\n", fastSeconds);
    std::printf("first_build_mame_fast_cpu_s: %.1f\n", fastProcessorSeconds);
    std::printf("first_build_mame_fast_store_equal: %d\n", equal ? 1 : 0);
    std::fflush(stdout);
    return equal ? 0 : 1;
}
