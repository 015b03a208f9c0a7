#include "launch/OptionPanelLoad.h"

#include "catalogue/EmulatorDefinition.h"
#include "catalogue/OptionGroups.h"
#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"
#include "settings/StoreSchema.h"

PanelLayout PanelLayoutFor(const EmulatorDefinition* definition) {
    PanelLayout layout;
    for (int g = 0; g < kCheckGroupCount; ++g) {
        PanelLayout::Check& check = layout.checks[size_t(g)];
        check.caption = QString::fromUtf16(kCheckGroups[size_t(g)].caption);
        check.hint = QString::fromUtf16(kCheckGroups[size_t(g)].hint);
        if (definition == nullptr) {
            continue;
        }
        const CheckGroupDefinition& group = definition->checks[size_t(g)];
        check.visible = group.present;
        if (!group.name.isEmpty()) {
            check.caption = group.name;
        }
        if (!group.hint.isEmpty()) {
            check.hint = group.hint;
        }
    }
    if (definition == nullptr) {
        return layout;
    }
    for (int g = 0; g < kListGroupCount; ++g) {
        const ListGroupDefinition& group = definition->lists[size_t(g)];
        layout.lists[size_t(g)].visible = group.present;
        if (group.present) {
            layout.lists[size_t(g)].items = group.captions;
        }
    }
    layout.joyEmuVisible = definition->showJoyEmu;
    layout.additionalVisible = definition->showAdditional;
    layout.linesMin = definition->linesOffscreenMin;
    layout.linesMax = definition->linesOffscreenMax;
    layout.linesDefault = definition->linesOffscreenDefault;
    return layout;
}

OptionLevel ReadOptionLevel(SettingsStore& store, const KeyPath& specific,
                            const EmulatorDefinition& definition) {
    OptionLevel level;
    if (!store.OpenKey(specific, false)) {
        return level;
    }
    for (int g = 0; g < kCheckGroupCount; ++g) {
        if (definition.checks[size_t(g)].present) {
            level.checks[size_t(g)] = optionValue(CheckGroup(g)).readIfIn(store);
        }
    }
    if (definition.check(CheckGroup::LinesOffscreen).present) {
        level.linesOffscreen = StoreSchema::kLinesOffscreen.readIfIn(store);
    }
    for (int g = 0; g < kListGroupCount; ++g) {
        if (definition.lists[size_t(g)].present) {
            level.lists[size_t(g)] = optionValue(ListGroup(g)).readIfIn(store);
        }
    }
    if (definition.showJoyEmu) {
        level.joyEmuKeyfile = StoreSchema::kJoyEmuKeyfile.readIfIn(store);
    }
    if (definition.showAdditional) {
        level.additional = StoreSchema::kAdditional.readIfIn(store);
    }
    return level;
}

std::optional<int> LinesOffscreenNumber(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}
