#include "gamelist/SelectionDisplay.h"

#include "catalogue/EmulatorDefinition.h"
#include "context/Accessors.h"
#include "context/AppContext.h"
#include "gamelist/GameFacts.h"
#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"

bool IsGameEntry(const EmulatorDefinition* emulator, const QString& entryName) {
    return emulator == nullptr || entryName != emulator->lbName;
}

SelectionCommands SelectionCommandsFor(const EmulatorDefinition* emulator, bool isGame, bool locked,
                                       bool missingGame, const QString& pkzipLocation) {
    SelectionCommands commands;
    commands.resetToDefaults = !locked && isGame;
    commands.removeFromList = !locked && isGame;
    if (emulator != nullptr && (isGame || emulator->isSingle())) {
        const std::array<const QString*, 5> patterns = {
            &emulator->highScorePattern, &emulator->nvramPattern, &emulator->configPattern,
            &emulator->dipswitchPattern, &emulator->keyPattern};
        for (size_t i = 0; i < patterns.size(); ++i) {
            commands.deleteStateFile[i] = !patterns[i]->isEmpty();
        }
    }
    commands.addToList = !locked && missingGame;
    commands.fixRom = !locked && !pkzipLocation.isEmpty();
    return commands;
}

SelectionInfo SelectionInfoFor(const AppContext& ctx, const EmulatorDefinition* emulator,
                               const QString& entryName, const QString& shortName,
                               const QString& location) {
    SelectionInfo info;
    info.shortName = shortName.toUpper();
    info.clone = info.shortName;
    info.path = location;
    if (emulator != nullptr) {
        info.emulator = emulator->lbName;
        if (!shortName.isEmpty()) {
            info.clone = ParentName(ctx, *emulator, shortName).toUpper();
        }
        SettingsStore entry = ctx.store();
        if (emulator->type == u"MAME" && IsGameEntry(emulator, entryName) &&
            entry.OpenKey(StorePaths::Entry(entryName), false)) {
            info.facts = GameFacts::Summary(GameFacts::Read(entry));
        }
    }
    return info;
}
