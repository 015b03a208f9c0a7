#include "gamelist/SelectionDisplay.h"

#include "catalogue/EmulatorDefinition.h"
#include "context/Accessors.h"
#include "context/AppContext.h"
#include "context/SelectionCommands.h"
#include "gamelist/GameFacts.h"
#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"

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
