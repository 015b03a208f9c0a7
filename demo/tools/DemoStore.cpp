// Prepares the demo's new store with the tool locations a user would set in
// "File Locations", so that a first game can be played at once. Leaves an
// existing store alone.
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>
#include <exception>

#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"
#include "settings/StoreDatabase.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: brivanel-demo-store STORE-FILE\n");
        return 2;
    }
    const QString file = QString::fromLocal8Bit(argv[1]);
    if (QFileInfo::exists(file)) {
        return 0;
    }
    try {
        SettingsStore root(StoreDatabase::open(file));
        root.OpenKey(StorePaths::Root(), true);
        root.WriteString(QStringLiteral("PKZIP Path"), QStringLiteral("C:\\BRIVANEL\\PKZIP.EXE"));
        root.WriteString(QStringLiteral("PKUNZIP Path"),
                         QStringLiteral("C:\\BRIVANEL\\PKUNZIP.EXE"));
        root.WriteString(QStringLiteral("UniVBE Path"), QStringLiteral("C:\\TOOLS\\UNIVBE.EXE"));
        root.WriteString(QStringLiteral("JOYEMU Path"), QStringLiteral("C:\\TOOLS\\JOYEMU.EXE"));
        root.WriteString(QStringLiteral("JOYCP Path"), QStringLiteral("C:\\TOOLS\\JOYCP.EXE"));
        root.WriteString(QStringLiteral("Drives To Search"), QStringLiteral("C:"));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "brivanel-demo-store: %s\n", e.what());
        return 1;
    }
    return 0;
}
