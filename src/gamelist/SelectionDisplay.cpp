#include "gamelist/SelectionDisplay.h"

#include "catalogue/EmulatorDefinition.h"
#include "context/Accessors.h"

SelectionInfo SelectionInfoFor(const AppContext& ctx, const EmulatorDefinition* emulator,
                               const QString& shortName, const QString& location) {
    SelectionInfo info;
    info.shortName = shortName.toUpper();
    info.clone = info.shortName;
    info.path = location;
    if (emulator != nullptr) {
        info.emulator = emulator->lbName;
        if (!shortName.isEmpty()) {
            info.clone = ParentName(ctx, *emulator, shortName).toUpper();
        }
    }
    return info;
}
