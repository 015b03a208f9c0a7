#pragma once

#include <QString>
#include <QStringList>

class AppContext;
class SettingsStore;

// The games played last, in the order of the plays start-up counted: each
// counted play gets the next number of the root's "Plays Counted", and the
// game keeps the number of its latest in "Last Play". A play too short to
// count, or one of a store older than these numbers, orders nothing.
namespace RecentPlays {

// How many games "Recently &Played" offers.
inline constexpr int kShown = 10;

// Numbers a counted play of an existing entry and leaves the root the
// store's current key; false, and nothing numbered, when the entry or the
// root is gone.
bool Record(SettingsStore& store, const QString& entryName);

// The entries of the latest counted plays, the latest first, at most `limit`.
QStringList Latest(const AppContext& ctx, int limit = kShown);

}  // namespace RecentPlays
