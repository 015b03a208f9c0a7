#include "context/SelectionCommands.h"

#include "catalogue/EmulatorDefinition.h"

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
    commands.favourite = !locked && (isGame || (emulator != nullptr && emulator->isSingle()));
    return commands;
}
