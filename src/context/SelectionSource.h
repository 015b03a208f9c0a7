#pragma once

#include <QString>
#include <optional>

#include "context/SelectedEntry.h"

// The selected entry as the window's parts ask for it: the selected item of
// the current list box (the game lists implement it). Asking changes
// nothing; a command that acts on the entry makes sure there is one first.
class SelectionSource {
public:
    // Selects the first item when the current list has items and none is
    // selected; false for an empty list.
    virtual bool EnsureSelection() = 0;
    // The entry behind the selected item; none when no item is selected.
    virtual std::optional<SelectedEntry> CurrentEntry() const = 0;
    // Its entry name; empty when no item is selected.
    virtual QString CurrentEntryName() const = 0;

protected:
    ~SelectionSource() = default;
};

// The entry a command acts on: the selected one, the first item selected
// first when none is; none for an empty list.
inline std::optional<SelectedEntry> EnsuredEntry(SelectionSource& selection) {
    return selection.EnsureSelection() ? selection.CurrentEntry() : std::nullopt;
}
