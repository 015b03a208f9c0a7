#pragma once

#include <QString>

class SettingsStore;

// The favourite mark of a game, kept in its own key so that it goes
// wherever the game goes and leaves with it.
namespace Favourites {

bool IsFavourite(SettingsStore& store, const QString& entryName);

// Marks or unmarks an existing entry; false, and nothing written, when the
// entry has no key (removed meanwhile): a mark never makes an entry.
bool Mark(SettingsStore& store, const QString& entryName, bool favourite);

}  // namespace Favourites
