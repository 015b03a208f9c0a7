#include "tools/ToolLocations.h"

#include <QDir>
#include <QFileInfo>

#include "settings/SettingsStore.h"

const ToolRow& RowOf(Tool tool) {
    return kToolRows[size_t(tool)];
}

void WriteToolLocations(SettingsStore& store, const ToolPaths& paths) {
    StoreSchema::openRoot(store, true);
    for (size_t i = 0; i < kToolRows.size(); ++i) {
        kToolRows[i].storeValue.writeTo(store, paths.tools[i]);
    }
    StoreSchema::kDrivesToSearch.writeTo(store, paths.drives);
}

QString DesktopFolder(const QString& homeFolder) {
    const QString desktop = QDir(homeFolder).filePath(QStringLiteral("Desktop"));
    return QFileInfo(desktop).isDir() ? desktop : homeFolder;
}

QString DesktopFolder() {
    return DesktopFolder(QDir::homePath());
}

OpenFileRequest BrowseRequest(Tool tool, const QString& initialFolder) {
    const ToolRow& row = RowOf(tool);
    return OpenFileRequest{QString::fromUtf16(row.browseTitle),
                           QString::fromUtf16(kExecutableFilter), QStringLiteral("EXE"),
                           QString::fromUtf16(row.executable), initialFolder};
}

// RowOf indexes the table by the enum's value.
static_assert([] {
    for (size_t i = 0; i < kToolRows.size(); ++i) {
        if (size_t(kToolRows[i].tool) != i) {
            return false;
        }
    }
    return true;
}());
