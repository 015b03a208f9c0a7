#include "launch/OptionPanelLoad.h"

#include "catalogue/EmulatorDefinition.h"
#include "launch/OptionPanelTexts.h"
#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"

PanelLayout PanelLayoutFor(const EmulatorDefinition* definition) {
    PanelLayout layout;
    const auto& texts = CheckControlTexts();
    for (int g = 0; g < kCheckGroupCount; ++g) {
        PanelLayout::Check& check = layout.checks[size_t(g)];
        check.caption = texts[size_t(g)].caption;
        check.hint = texts[size_t(g)].hint;
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

namespace {

std::optional<bool> readBool(SettingsStore& store, const QString& name) {
    return store.ValueExists(name) ? std::optional<bool>(store.ReadBool(name)) : std::nullopt;
}

std::optional<QString> readText(SettingsStore& store, const QString& name) {
    return store.ValueExists(name) ? std::optional<QString>(store.ReadString(name)) : std::nullopt;
}

}  // namespace

OptionLevel ReadOptionLevel(SettingsStore& store, const KeyPath& specific,
                            const EmulatorDefinition& definition) {
    OptionLevel level;
    if (!store.OpenKey(specific, false)) {
        return level;
    }
    for (int g = 0; g < kCheckGroupCount; ++g) {
        if (definition.checks[size_t(g)].present) {
            level.checks[size_t(g)] =
                readBool(store, QString::fromUtf16(kCheckGroups[size_t(g)].storeValue));
        }
    }
    if (definition.check(CheckGroup::LinesOffscreen).present) {
        level.linesOffscreen = readText(store, QString::fromUtf16(kLinesOffscreenValue));
    }
    for (int g = 0; g < kListGroupCount; ++g) {
        if (definition.lists[size_t(g)].present) {
            level.lists[size_t(g)] =
                readText(store, QString::fromUtf16(kListGroups[size_t(g)].storeValue));
        }
    }
    if (definition.showJoyEmu) {
        level.joyEmuKeyfile = readText(store, QString::fromUtf16(kJoyEmuKeyfileValue));
    }
    if (definition.showAdditional) {
        level.additional = readText(store, QString::fromUtf16(kAdditionalValue));
    }
    return level;
}

std::optional<int> LinesOffscreenNumber(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}
