#include "gamelist/Favourites.h"

#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"
#include "settings/StoreSchema.h"

namespace Favourites {

using StoreSchema::kFavourite;

bool IsFavourite(SettingsStore& store, const QString& entryName) {
    return !entryName.isEmpty() && store.OpenKey(StorePaths::Entry(entryName), false) &&
           kFavourite.readIfValid(store).value_or(false);
}

bool Mark(SettingsStore& store, const QString& entryName, bool favourite) {
    if (entryName.isEmpty() || !store.OpenKey(StorePaths::Entry(entryName), false)) {
        return false;
    }
    // Unmarked games keep no value: a store that never had a favourite
    // stays as it was.
    if (favourite) {
        kFavourite.writeTo(store, true);
    } else {
        store.DeleteValue(kFavourite.name());
    }
    return true;
}

}  // namespace Favourites
