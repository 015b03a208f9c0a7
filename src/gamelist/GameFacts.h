#pragma once

#include <QString>

#include "gamelist/MachineFacts.h"

class AppContext;
class SettingsStore;

// A MAME-type emulator's facts about a game as its entry keeps them.
namespace GameFacts {

// Into the entry `entry` has open; every build that read the facts writes
// them again, so that a change in a newer emulator reaches the store.
void Write(SettingsStore& entry, const MachineFacts& facts);
// A device or BIOS set gets no entry; one that an older build made is
// flagged, so that the lists leave it out, and otherwise kept.
void FlagUnlisted(const AppContext& ctx, const QString& entryName, const MachineFacts& facts);
// What the entry `entry` has open keeps; empty texts when none.
MachineFacts Read(SettingsStore& entry);
// The line of the information area: year and manufacturer, and the
// driver's status when it is not good ("1981, Nintendo (imperfect)").
// Empty when the entry keeps none of them.
QString Summary(const MachineFacts& facts);

}  // namespace GameFacts
