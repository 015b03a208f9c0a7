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

#include "StartupInstallation.h"

namespace {

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
    StartupInstallation::make(inst);

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
