#include "maintenance/ReportRows.h"

#include "context/Accessors.h"
#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"
#include "settings/StoreSchema.h"

namespace ReportRows {

std::vector<Row> MissingRoms(SettingsStore& store, const QStringList& items, bool showCount) {
    std::vector<Row> rows;
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (!isMissingGameItem(items[i], showCount)) {
            continue;
        }
        const QString name = EntryNameFromItemText(items[i], showCount);
        const bool shaded = i % 2 == 1;
        if (!store.OpenKey(StorePaths::Entry(name), false)) {
            rows.push_back({name, QString(), QString(), shaded});
            continue;
        }
        using StoreSchema::furtherName;
        using StoreSchema::kEmulator;
        using StoreSchema::kShortname;
        rows.push_back({name, kShortname.readFrom(store), kEmulator.readFrom(store), shaded});
        // Numbered by character code as they are written: after "9" comes ":".
        for (int n = 1; store.ValueExists(furtherName(kShortname, n)); ++n) {
            rows.push_back({QString(), store.ReadString(furtherName(kShortname, n)),
                            store.ReadString(furtherName(kEmulator, n)), shaded});
        }
    }
    return rows;
}

QStringList PictureCandidates(const QStringList& items, bool showCount) {
    QStringList out;
    for (const QString& item : items) {
        if (!isMissingGameItem(item, showCount)) {
            out << item;
        }
    }
    return out;
}

bool HasProperPicture(const QString& picturePath, const QString& shortName,
                      const QString& entryName, const QString& parentName) {
    const QString path = picturePath.toUpper();
    if (path.isEmpty()) {
        return false;
    }
    if (!shortName.isEmpty() && path.contains(u'\\' + shortName.toUpper() + u'.')) {
        return true;
    }
    if (!entryName.isEmpty() && path.contains(entryName.toUpper())) {
        return true;
    }
    const qsizetype paren = entryName.indexOf(QStringLiteral(" ("));
    if (paren > 0 && path.contains(entryName.left(paren).toUpper())) {
        return true;
    }
    return !parentName.isEmpty() && path.contains(parentName.toUpper());
}

QString QuestionablePicture(const QString& picturePath, const QString& programDirectory) {
    return u"..." + picturePath.mid(programDirectory.size() + 7).toLower();
}

}  // namespace ReportRows
