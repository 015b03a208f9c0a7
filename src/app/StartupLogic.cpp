#include "app/StartupLogic.h"

#include <limits>

#include "catalogue/DefinitionScan.h"
#include "catalogue/EmulatorTable.h"
#include "context/Accessors.h"
#include "context/AppContext.h"
#include "gamelist/RecentPlays.h"
#include "platform/TextCodec.h"
#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"
#include "settings/StoreSchema.h"

namespace StartupLogic {

std::optional<int> CountLines(const DosFileSystem& fs, const QString& dosPath) {
    const auto bytes = fs.readFile(dosPath);
    if (!bytes) {
        return std::nullopt;
    }
    return int(TextCodec::splitLines(TextCodec::decode(*bytes)).size());
}

LoadResult LoadEmulators(const AppContext& ctx, EmulatorTable& emulators) {
    QHash<QString, QString> previousPlatforms;
    for (int i = 1; i <= emulators.count(); ++i) {
        previousPlatforms.insert(emulators.at(i).emulatorId, emulators.at(i).platform);
    }
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
    emulators.clear();
    SettingsStore store = ctx.store();
    for (const QString& id : OrderByListSize(scan.emulatorIds, lineCount)) {
        EmulatorDefinition definition =
            ReadEmulatorDefinition(ctx.fs(), ctx.ProgramDirectory(), id);
        if (store.OpenKey(StorePaths::Entry(definition.lbName), false)) {
            definition.romLocation = StoreSchema::kRomLocation.readFrom(store);
        }
        emulators.append(std::move(definition));
    }
    return LoadResult::Loaded;
}

bool CountPlay(SettingsStore& store, double now) {
    using StoreSchema::kTime;
    if (!kTime.isIn(store)) {
        return false;
    }
    const double time = kTime.readFrom(store);
    if (!(time > 0) || !(now - time > 0.00035)) {
        return false;
    }
    // Counted once: after an unclean end no shutdown clears "Time", and
    // every later start would count the same launch again.
    kTime.writeTo(store, 0);
    const QString current = StoreSchema::kCurrent.readFrom(store);
    bool counted = false;
    if (!current.isEmpty() && store.OpenKey(StorePaths::Entry(current), false)) {
        using StoreSchema::kCount;
        // A count of another type starts again; the largest count stays, as
        // one more would wrap round to a negative number.
        const int plays = kCount.readIfValid(store).value_or(0);
        kCount.writeTo(store, plays < std::numeric_limits<int>::max() ? plays + 1 : plays);
        RecentPlays::Record(store, current);
        counted = true;
    }
    StoreSchema::openRoot(store, false);
    return counted;
}

ViewSettings ReadViewSettings(SettingsStore& root) {
    static constexpr std::pair<std::optional<bool> ViewSettings::*, StoreSchema::FlagValue>
        kRows[] = {{&ViewSettings::byEmulator, StoreSchema::kDisplayByEmulator},
                   {&ViewSettings::showCount, StoreSchema::kDisplayByCount},
                   {&ViewSettings::showMissing, StoreSchema::kShowMissing},
                   {&ViewSettings::highQuality, StoreSchema::kHighQualityImages},
                   {&ViewSettings::hideMechanical, StoreSchema::kHideMechanical}};
    ViewSettings view;
    for (const auto& [field, value] : kRows) {
        view.*field = value.readIfIn(root);
    }
    return view;
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

void SaveOnShutdown(const AppContext& ctx, const EmulatorTable& emulators, bool gameLaunched,
                    const std::optional<QString>& currentEntry) {
    SettingsStore store = ctx.store();
    if (currentEntry && StoreSchema::openRoot(store, false)) {
        StoreSchema::kCurrent.writeTo(store, *currentEntry);
        StoreSchema::kTime.writeTo(store, gameLaunched ? ctx.clock().now() : 0.0);
    }
    for (int i = 1; i <= emulators.count(); ++i) {
        const EmulatorDefinition& e = emulators.at(i);
        if (store.OpenKey(StorePaths::Entry(e.lbName), false)) {
            StoreSchema::kRomLocation.writeTo(store, e.romLocation);
        }
    }
}

}  // namespace StartupLogic
