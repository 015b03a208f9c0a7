#include "context/Accessors.h"

#include "catalogue/EmulatorDefinition.h"
#include "context/AppContext.h"
#include "platform/DosFileSystem.h"
#include "platform/DosPath.h"
#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"
#include "settings/StoreSchema.h"

QString ListFilePath(const AppContext& ctx, const EmulatorDefinition& emulator) {
    const QString own = ctx.ProgramDirectory() + emulator.emulatorId + u".lst";
    if (ctx.fs().fileExists(own)) {
        return own;
    }
    return ctx.ProgramDirectory() + emulator.platform + u".lst";
}

QString GameDirectoryName(const AppContext& ctx, const EmulatorDefinition& emulator,
                          const QString& shortName) {
    const auto list = ctx.profiles().get(ctx.fs(), ListFilePath(ctx, emulator));
    const QString value = list->readString(QStringLiteral("Directories"), shortName, QString());
    return DosPath::isSafeName(value) ? value : shortName;
}

QString ParentName(const AppContext& ctx, const EmulatorDefinition& emulator, const QString& name) {
    const auto merge =
        ctx.profiles().get(ctx.fs(), ctx.ProgramDirectory() + emulator.emulatorId + u".MRG");
    const QString value = merge->readString(QStringLiteral("Merged"), name, QString());
    return DosPath::isSafeName(value) ? value : name;
}

bool IsGameDirectory(const DosFileSystem& fs, const QString& path) {
    if (!fs.directoryExists(path)) {
        return false;
    }
    return fs.list(path).size() + 2 >= 6;
}

QString FormatPlayCount(int count) {
    return QStringLiteral("%1").arg(count, 4, 10, QLatin1Char('0'));
}

QString DisplayText(SettingsStore& store, const QString& name, bool showCount) {
    if (!showCount) {
        return name;
    }
    QString digits = QStringLiteral("0000");
    if (store.OpenKey(StorePaths::Entry(name), false)) {
        digits = FormatPlayCount(StoreSchema::kCount.readIfValid(store).value_or(0));
    }
    return digits + u' ' + name;
}

namespace {

QString withoutCountPrefix(const QString& itemText, bool showCount) {
    if (!showCount) {
        return itemText;
    }
    const qsizetype blank = itemText.indexOf(u' ');
    return blank < 0 ? QString() : itemText.mid(blank + 1);
}

bool isFramed(const QString& text) {
    return text.size() >= 4 && text.startsWith(u"[ ") && text.endsWith(u" ]");
}

}  // namespace

QString EntryNameFromItemText(const QString& itemText, bool showCount) {
    const QString text = withoutCountPrefix(itemText, showCount);
    return isFramed(text) ? text.mid(2, text.size() - 4) : text;
}

bool isMissingGameItem(const QString& itemText, bool showCount) {
    return isFramed(withoutCountPrefix(itemText, showCount));
}
