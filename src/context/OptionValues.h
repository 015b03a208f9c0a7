#pragma once

#include "catalogue/OptionGroups.h"
#include "settings/StoreSchema.h"

// The store value that keeps an option group's choice under "Specific": the
// definition files' groups and the store's option values go in one order.
static_assert(StoreSchema::kCheckOptions.size() == size_t(kCheckGroupCount));
static_assert(StoreSchema::kListOptions.size() == size_t(kListGroupCount));

constexpr const StoreSchema::FlagValue& optionValue(CheckGroup group) {
    return StoreSchema::kCheckOptions[size_t(index(group))];
}
constexpr const StoreSchema::TextValue& optionValue(ListGroup group) {
    return StoreSchema::kListOptions[size_t(index(group))];
}
