#include "app/StartupLogic.h"

#include "catalogue/DefinitionScan.h"
#include "context/Accessors.h"
#include "context/AppContext.h"
#include "context/AppState.h"
#include "platform/TextCodec.h"
#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"

namespace StartupLogic {

std::optional<int> CountLines(const DosFileSystem& fs, const QString& dosPath) {
    const auto bytes = fs.readFile(dosPath);
    if (!bytes) {
        return std::nullopt;
    }
    return int(TextCodec::splitLines(TextCodec::decode(*bytes)).size());
}

LoadResult LoadEmulators(const AppContext& ctx, AppState& state,
                         const QHash<QString, QString>& previousPlatforms) {
    const DefinitionScan scan = ScanDefinitions(ctx.fs(), ctx.ProgramDirectory());
    if (!scan.anyIniFile) {
        return LoadResult::NoIniFile;
    }
    if (scan.emulatorIds.isEmpty()) {
        return LoadResult::NoDefinition;
    }
    const auto lineCount = [&](const QString& id) {
        EmulatorDefinition probe;
        probe.emulatorId = id;
        probe.platform = previousPlatforms.value(id);
        return CountLines(ctx.fs(), ListFilePath(ctx, probe));
    };
    state.emulators.clear();
    SettingsStore store = ctx.store();
    for (const QString& id : OrderByListSize(scan.emulatorIds, lineCount)) {
        EmulatorDefinition definition =
            ReadEmulatorDefinition(ctx.fs(), ctx.ProgramDirectory(), id);
        if (store.OpenKey(StorePaths::Entry(definition.lbName), false) &&
            store.ValueExists(QStringLiteral("ROMLocation"))) {
            definition.romLocation = store.ReadString(QStringLiteral("ROMLocation"));
        }
        state.emulators.append(std::move(definition));
    }
    return LoadResult::Loaded;
}

bool CountPlay(SettingsStore& store, double now) {
    if (!store.ValueExists(QStringLiteral("Time"))) {
        return false;
    }
    const double time = store.ReadDateTime(QStringLiteral("Time"));
    if (!(time > 0) || !(now - time > 0.00035)) {
        return false;
    }
    // Counted once: after an unclean end no shutdown clears "Time", and
    // every later start would count the same launch again.
    store.WriteDateTime(QStringLiteral("Time"), 0);
    const QString current = store.ReadString(QStringLiteral("Current"));
    bool counted = false;
    if (!current.isEmpty() && store.OpenKey(StorePaths::Entry(current), false)) {
        const bool has = store.ValueExists(QStringLiteral("Count"));
        store.WriteInteger(QStringLiteral("Count"),
                           has ? store.ReadInteger(QStringLiteral("Count")) + 1 : 1);
        counted = true;
    }
    store.OpenKey(StorePaths::Root(), false);
    return counted;
}

ViewSettings ReadViewSettings(SettingsStore& root) {
    const auto flag = [&root](const char16_t* name) -> std::optional<bool> {
        const QString value = QString::fromUtf16(name);
        if (!root.ValueExists(value)) {
            return std::nullopt;
        }
        return root.ReadBool(value);
    };
    return ViewSettings{flag(u"Display by Emulator"), flag(u"Display by Count"),
                        flag(u"Show Missing"), flag(u"High Quality Images")};
}

void MigrateStore(SettingsStore& store) {
    for (const char* name : {"MAME", "KEM", "SYSTEM 16"}) {
        store.DeleteKey(StorePaths::Entry(QString::fromLatin1(name)));
    }
    store.MoveKey(StorePaths::Entry(QString::fromUtf16(kOldIkariKey)),
                  StorePaths::Entry(QString::fromUtf16(kNewRageKey)), true);
}

QString FirstStartDrives(const DosFileSystem& fs) {
    QString drives = QStringLiteral("C:");
    if (fs.freeSpace(u'D') > 0) {
        drives += u";D:";
    }
    if (fs.freeSpace(u'E') > 0) {
        drives += u";E:";
    }
    return drives;
}

void SaveOnShutdown(const AppContext& ctx, const AppState& state,
                    const std::optional<QString>& currentEntry) {
    SettingsStore store = ctx.store();
    if (currentEntry && store.OpenKey(StorePaths::Root(), false)) {
        store.WriteString(QStringLiteral("Current"), *currentEntry);
        store.WriteDateTime(QStringLiteral("Time"), state.gameLaunched ? ctx.clock().now() : 0.0);
    }
    for (int i = 1; i <= state.emulators.count(); ++i) {
        const EmulatorDefinition& e = state.emulators.at(i);
        if (store.OpenKey(StorePaths::Entry(e.lbName), false)) {
            store.WriteString(QStringLiteral("ROMLocation"), e.romLocation);
        }
    }
}

}  // namespace StartupLogic
