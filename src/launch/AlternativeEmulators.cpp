#include "launch/AlternativeEmulators.h"

#include <algorithm>

#include "catalogue/EmulatorTable.h"
#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"
#include "settings/StoreSchema.h"

namespace {

using StoreSchema::furtherName;
using StoreSchema::kEmulator;
using StoreSchema::kShortname;

// Past this the number characters leave the Basic Multilingual Plane.
constexpr int kMaxPosition = 0xD7FF - u'0';

bool samePairs(const std::vector<AlternativeEmulator>& a,
               const std::vector<AlternativeEmulator>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return x.emulatorId == y.emulatorId && x.shortName == y.shortName;
    });
}

}  // namespace

std::vector<AlternativeEmulator> ReadAlternativeEmulators(SettingsStore& key) {
    std::vector<AlternativeEmulator> pairs;
    for (int n = 1; n <= kMaxPosition; ++n) {
        const QString emulatorName = furtherName(kEmulator, n);
        if (!key.ValueExists(emulatorName)) {
            break;
        }
        pairs.push_back({key.ReadString(emulatorName), key.ReadString(furtherName(kShortname, n))});
    }
    return pairs;
}

std::vector<AlternativeEmulator> TidiedAlternativeEmulators(
    const std::vector<AlternativeEmulator>& pairs, const EmulatorTable& emulators, int ownIndex) {
    std::vector<AlternativeEmulator> kept;
    for (const AlternativeEmulator& pair : pairs) {
        const int index = emulators.EmulatorIndexById(pair.emulatorId);
        if (index == 0 || index == ownIndex) {
            continue;
        }
        const bool held =
            std::any_of(kept.begin(), kept.end(), [&pair](const AlternativeEmulator& k) {
                return k.emulatorId.compare(pair.emulatorId, Qt::CaseInsensitive) == 0;
            });
        if (!held) {
            kept.push_back(pair);
        }
    }
    std::stable_sort(kept.begin(), kept.end(),
                     [](const AlternativeEmulator& a, const AlternativeEmulator& b) {
                         return a.emulatorId.compare(b.emulatorId, Qt::CaseInsensitive) < 0;
                     });
    return kept;
}

bool TidyAlternativeEmulators(SettingsStore& store, const QString& entryName,
                              const EmulatorTable& emulators, int ownIndex) {
    if (entryName.isEmpty() || !store.OpenKey(StorePaths::Entry(entryName), false)) {
        return false;
    }
    const std::vector<AlternativeEmulator> pairs = ReadAlternativeEmulators(store);
    const std::vector<AlternativeEmulator> tidied =
        TidiedAlternativeEmulators(pairs, emulators, ownIndex);
    if (!samePairs(pairs, tidied)) {
        // A pair that is not written back leaves no stray "Shortname" behind.
        for (int n = 1; n <= int(pairs.size()); ++n) {
            store.DeleteValue(furtherName(kEmulator, n));
            store.DeleteValue(furtherName(kShortname, n));
        }
        for (int n = 1; n <= int(tidied.size()); ++n) {
            store.WriteString(furtherName(kEmulator, n), tidied[size_t(n - 1)].emulatorId);
            store.WriteString(furtherName(kShortname, n), tidied[size_t(n - 1)].shortName);
        }
    }
    return !tidied.empty();
}
