#include "gamelist/RecentPlays.h"

#include <algorithm>
#include <climits>
#include <utility>
#include <vector>

#include "context/AppContext.h"
#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"
#include "settings/StoreSchema.h"

namespace RecentPlays {

using StoreSchema::kLastPlay;
using StoreSchema::kPlaysCounted;

bool Record(SettingsStore& store, const QString& entryName) {
    if (entryName.isEmpty() || !StoreSchema::openRoot(store, false)) {
        return false;
    }
    const int counted = kPlaysCounted.readIfValid(store).value_or(0);
    // Past the last integer the numbers would no longer order anything.
    const int number = counted < INT_MAX ? counted + 1 : INT_MAX;
    if (!store.OpenKey(StorePaths::Entry(entryName), false)) {
        return false;
    }
    kLastPlay.writeTo(store, number);
    StoreSchema::openRoot(store, false);
    kPlaysCounted.writeTo(store, number);
    return true;
}

QStringList Latest(const AppContext& ctx, int limit) {
    SettingsStore store = ctx.store();
    if (limit <= 0 || !StoreSchema::openRoot(store, false)) {
        return {};
    }
    std::vector<std::pair<int, QString>> played;
    for (const SubkeyValues& key : store.ReadSubkeyValues({kLastPlay.name()})) {
        if (const std::optional<int> number = kLastPlay.readIfValid(key)) {
            played.emplace_back(*number, key.name());
        }
    }
    const auto shown = played.begin() + std::min<qsizetype>(limit, qsizetype(played.size()));
    std::partial_sort(played.begin(), shown, played.end(),
                      [](const auto& a, const auto& b) { return a.first > b.first; });
    QStringList names;
    for (auto it = played.begin(); it != shown; ++it) {
        names << it->second;
    }
    return names;
}

}  // namespace RecentPlays
