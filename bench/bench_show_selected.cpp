// The selection refresh on a store of 45,000 games over 20 emulators: how
// long ShowSelectedGame takes (the picture subsystem aside), as a median.
#include <QApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <algorithm>
#include <cstdio>
#include <vector>

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include "BenchNames.h"

#include "app/ui/TFMain.h"
#include "context/AppContext.h"
#include "gamelist/ui/GameListWidget.h"
#include "settings/KeyPath.h"
#include "support/TempInstallation.h"

namespace {

using namespace BenchNames;

constexpr int kEmulators = 20;
constexpr int kGames = 45000;
constexpr int kSamples = 301;

// A definition with every group, as the big MAME-type definitions have.
void writeDefinition(const TempInstallation& inst, int e) {
    QStringList lines = {QStringLiteral("[Emulator]"), QStringLiteral("LBName=") + listName(e),
                         QStringLiteral("Type=MAME"),  QStringLiteral("ShowJoyEmu=1"),
                         QStringLiteral("[Config]"),   QStringLiteral("High=HI\\%sn%.HI")};
    for (const char* section : {"Vector", "Synch", "LinesOffscreen", "FMMusic", "Joystick", "Mouse",
                                "Trackball", "4Way", "Cheat"}) {
        lines << QStringLiteral("[%1]").arg(QLatin1String(section)) << QStringLiteral("Check=-on")
              << QStringLiteral("Clear=-off");
    }
    for (const char* section : {"Resolutions", "FrameSkip", "VesaMode", "Extra", "Sound", "Rotate",
                                "Controller1", "Controller2"}) {
        lines << QStringLiteral("[%1]").arg(QLatin1String(section));
        for (int i = 0; i < 6; ++i) {
            lines << QStringLiteral("Choice %1=-c%1").arg(i);
        }
    }
    inst.writeLines(QStringLiteral("C:\\BRIVANEL\\emu%1.ini").arg(e, 2, 10, QLatin1Char('0')),
                    lines);
}

void fillStore(SettingsStore& store, const TempInstallation& inst) {
    store.OpenKey(StorePaths::Root(), true);
    store.WriteString(QStringLiteral("Version"), QStringLiteral(".26"));
    for (int e = 1; e <= kEmulators; ++e) {
        store.OpenKey(StorePaths::Entry(listName(e)), true);
        store.WriteString(QStringLiteral("Location"),
                          QStringLiteral("C:\\EMU\\%1.EXE").arg(emulatorId(e)));
        store.WriteString(QStringLiteral("Emulator"), emulatorId(e));
        store.OpenKey(StorePaths::Specific(listName(e)), true);
        store.WriteString(QStringLiteral("Resolution"), QStringLiteral("Choice 0"));
        store.WriteBool(QStringLiteral("Vector"), false);
        store.WriteBool(QStringLiteral("Joystick"), true);
        store.WriteString(QStringLiteral("Sound"), QStringLiteral("Choice 1"));
        store.WriteString(QStringLiteral("Lines Offscreen"), QStringLiteral("8"));
    }
    QStringList merged = {QStringLiteral("[Merged]")};
    for (int g = 0; g < kGames; ++g) {
        const int e = 1 + g % kEmulators;
        store.OpenKey(StorePaths::Entry(gameName(g)), true);
        store.WriteString(QStringLiteral("Location"),
                          QStringLiteral("C:\\ZIPS\\%1.ZIP").arg(shortName(g)));
        store.WriteString(QStringLiteral("Emulator"), emulatorId(e));
        store.WriteString(QStringLiteral("Shortname"), shortName(g));
        if (g % 7 == 0) {
            // A game that runs on a further emulator too, already in tidy order.
            store.WriteString(QStringLiteral("Emulator1"), emulatorId(1 + (e % kEmulators)));
            store.WriteString(QStringLiteral("Shortname1"), shortName(g));
        }
        if (g % 5 == 0) {
            store.OpenKey(StorePaths::Specific(gameName(g)), true);
            store.WriteString(QStringLiteral("Resolution"), QStringLiteral("Choice 3"));
            store.WriteBool(QStringLiteral("Cheat"), true);
        }
        if (g > 0 && g % 3 == 0 && e == 1) {
            merged << shortName(g) + u'=' + shortName(g - 1);
        }
    }
    inst.writeLines(QStringLiteral("C:\\BRIVANEL\\EMU01.MRG"), merged);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TempInstallation inst;
    for (int e = 1; e <= kEmulators; ++e) {
        writeDefinition(inst, e);
    }
    AppContext& ctx = inst.context();
    {
        SettingsStore store = ctx.store();
        fillStore(store, inst);
    }

    TFMain main(ctx);
    main.FormActivate();
    QStringList names;
    for (int g = 0; g < kGames; ++g) {
        names << gameName(g);
    }
    for (int e = 1; e <= kEmulators; ++e) {
        names << listName(e);
    }
    auto* list = main.findChild<GameListWidget*>(QStringLiteral("LBArcade"));
    list->setItems(names);

    QRandomGenerator random(26);
    std::vector<double> samples;
    for (int i = 0; i < kSamples + 10; ++i) {
        list->setItemIndex(int(random.bounded(quint32(list->count()))));
        QElapsedTimer timer;
        timer.start();
        // The release of a key in the list refreshes the selection.
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Shift, Qt::NoModifier);
        QApplication::sendEvent(list, &release);
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        if (i >= 10) {  // the first refreshes warm the caches
            samples.push_back(ms);
        }
    }
    // A refresh that did nothing would time nothing: check the last one.
    const auto* resolution = main.findChild<QComboBox*>(QStringLiteral("CBResolution"));
    if (main.findChild<QLabel*>(QStringLiteral("LEmu"))->text().isEmpty() ||
        resolution->count() != 6 ||
        main.findChild<QWidget*>(QStringLiteral("CBVector"))->isHidden()) {
        std::fprintf(stderr, "bench_show_selected: the refresh did not load the panel\n");
        return 1;
    }
    std::nth_element(samples.begin(), samples.begin() + kSamples / 2, samples.end());
    std::printf("show_selected_ms_median: %.3f\n", samples[kSamples / 2]);
    std::fflush(stdout);
    return 0;
}
