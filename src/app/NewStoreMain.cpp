// brivanel-newstore: run by the installer. Creates the settings store the
// program will use (BRIVANEL_STORE, else the user's configuration folder)
// with an installation's starting choices, unless it exists already.
#include <QCoreApplication>
#include <cstdio>
#include <exception>

#include "app/InstallerStore.h"
#include "settings/StoreDatabase.h"

int main(int argc, char** argv) {
    const QCoreApplication app(argc, argv);
    if (argc != 1) {
        std::fprintf(stderr, "usage: brivanel-newstore\n");
        return 2;
    }
    const QString file = StoreDatabase::defaultLocation();
    try {
        if (InstallerStore::PrepareNewStore(file) == InstallerStore::Result::Written) {
            std::printf("Settings store %s: fast list build on, missing games hidden\n",
                        qPrintable(file));
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "brivanel-newstore: %s\n", error.what());
        return 1;
    }
    return 0;
}
