#pragma once

#include <QString>
#include <vector>

#include "catalogue/EmulatorDefinition.h"

// The loaded emulator definitions, addressed by a 1-based emulator index;
// index 0 means no emulator.
class EmulatorTable {
public:
    int count() const { return int(records_.size()); }
    bool isValidIndex(int index) const { return index >= 1 && index <= count(); }
    EmulatorDefinition& at(int index) { return records_.at(size_t(index - 1)); }
    const EmulatorDefinition& at(int index) const { return records_.at(size_t(index - 1)); }
    // The emulator at a 1-based index; none for an index that names none.
    const EmulatorDefinition* find(int index) const {
        return isValidIndex(index) ? &at(index) : nullptr;
    }
    void append(EmulatorDefinition definition) { records_.push_back(std::move(definition)); }
    void clear() { records_.clear(); }

    // The first emulator whose ID equals `id` exactly; 0 when none does.
    int EmulatorIndexById(const QString& id) const;
    // The first emulator whose list name equals `lbName` exactly; 0 when none.
    int indexByListName(const QString& lbName) const;

private:
    std::vector<EmulatorDefinition> records_;
};
