#include "tools/ToolLocations.h"

#include <QDir>
#include <QFileInfo>

#include "settings/SettingsStore.h"
#include "tools/FoundFiles.h"

const LocationRow& RowOf(Tool tool) {
    return kLocationRows[size_t(tool)];
}

QString ToolsFoundText(const ToolLocations& found) {
    QStringList parts;
    QStringList missing;
    for (const LocationRow& row : kToolRows) {
        // The program's name without its extension.
        const QString name = QString::fromUtf16(row.executable).section(u'.', 0, 0);
        const QString& path = found.*row.field;
        if (path.isEmpty()) {
            missing << name;
        } else {
            parts << name + u" found at " + path;
        }
    }
    if (!missing.isEmpty()) {
        parts << u"not found: " + missing.join(QStringLiteral(", "));
    }
    return parts.join(QStringLiteral("; "));
}

ToolLocations WithFoundTools(ToolLocations locations, const QStringList& foundFiles) {
    for (const LocationRow& row : kToolRows) {
        QString& path = locations.*row.field;
        if (path.isEmpty()) {
            path = FindInFoundFiles(foundFiles, QString::fromUtf16(row.executable), true);
        }
    }
    return locations;
}

ToolLocations ReadToolLocations(SettingsStore& root) {
    ToolLocations locations;
    for (const LocationRow& row : kLocationRows) {
        locations.*row.field = row.storeValue.readFrom(root);
    }
    return locations;
}

void WriteToolLocations(SettingsStore& store, const ToolLocations& locations) {
    StoreSchema::openRoot(store, true);
    for (const LocationRow& row : kLocationRows) {
        row.storeValue.writeTo(store, locations.*row.field);
    }
}

QString DesktopFolder(const QString& homeFolder) {
    const QString desktop = QDir(homeFolder).filePath(QStringLiteral("Desktop"));
    return QFileInfo(desktop).isDir() ? desktop : homeFolder;
}

QString DesktopFolder() {
    return DesktopFolder(QDir::homePath());
}

OpenFileRequest BrowseRequest(Tool tool, const QString& initialFolder) {
    const LocationRow& row = RowOf(tool);
    return OpenFileRequest{QString::fromUtf16(row.browseTitle),
                           QString::fromUtf16(kExecutableFilter), QStringLiteral("EXE"),
                           QString::fromUtf16(row.executable), initialFolder};
}

// The tool rows are the ones with an executable, the paths to search the last.
static_assert([] {
    for (size_t i = 0; i < kLocationRows.size(); ++i) {
        if ((kLocationRows[i].executable != nullptr) != (i < size_t(kToolCount))) {
            return false;
        }
    }
    return true;
}());
