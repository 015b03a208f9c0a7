#pragma once

#include <QStringList>
#include <optional>
#include <vector>

class AppContext;
class EmulatorTable;

// "Choose &Random": a game picked at random from a list, never a missing
// game and never a multi-game emulator's own entry.
namespace RandomChoice {

// Indices of the items a random choice may land on. The items are list
// texts (count in front when `showCount` is on).
std::vector<int> Candidates(const AppContext& ctx, const EmulatorTable& emulators,
                            const QStringList& items, bool showCount);

// One of the candidates, uniformly, from a source seeded with `seedTime`
// (the clock); nothing when there is none.
std::optional<int> Pick(const std::vector<int>& candidates, double seedTime);

}  // namespace RandomChoice
