#include "gamelist/RandomChoice.h"

#include <bit>
#include <cstdint>
#include <random>

#include "catalogue/EmulatorTable.h"
#include "context/Accessors.h"
#include "context/AppContext.h"
#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"
#include "settings/StoreSchema.h"

namespace RandomChoice {

std::vector<int> Candidates(const AppContext& ctx, const EmulatorTable& emulators,
                            const QStringList& items, bool showCount) {
    SettingsStore store = ctx.store();
    std::vector<int> candidates;
    candidates.reserve(size_t(items.size()));
    for (int i = 0; i < items.size(); ++i) {
        if (isMissingGameItem(items[i], showCount)) {
            continue;
        }
        // Only list names hold "{", so only those entries need the store.
        const QString name = EntryNameFromItemText(items[i], showCount);
        if (name.contains(u'{') && store.OpenKey(StorePaths::Entry(name), false)) {
            const int emulator =
                emulators.EmulatorIndexById(StoreSchema::kEmulator.readFrom(store));
            if (emulators.isValidIndex(emulator) && !emulators.at(emulator).isSingle()) {
                continue;
            }
        }
        candidates.push_back(i);
    }
    return candidates;
}

std::optional<int> Pick(const std::vector<int>& candidates, double seedTime) {
    if (candidates.empty()) {
        return std::nullopt;
    }
    const auto bits = std::bit_cast<std::uint64_t>(seedTime);
    std::seed_seq seed{std::uint32_t(bits), std::uint32_t(bits >> 32)};
    std::mt19937 source(seed);
    std::uniform_int_distribution<size_t> position(0, candidates.size() - 1);
    return candidates[position(source)];
}

}  // namespace RandomChoice
