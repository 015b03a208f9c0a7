#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

#include "catalogue/OptionGroups.h"

struct EmulatorDefinition;
class SettingsStore;
struct KeyPath;

// What the option panel shows for one emulator: which controls, with which
// captions, hints and drop-down items.
struct PanelLayout {
    struct Check {
        bool visible = false;
        QString caption;
        QString hint;
    };
    struct List {
        bool visible = false;
        QStringList items;  // the section's captions in file order
    };
    std::array<Check, kCheckGroupCount> checks;
    std::array<List, kListGroupCount> lists;
    bool joyEmuVisible = false;
    bool additionalVisible = false;
    int linesMin = 0;
    int linesMax = 32;
    int linesDefault = 8;
};

// The layout the definition asks for. Without a definition (an entry whose
// emulator is not loaded) nothing is offered: every option control hides
// and the line count takes its built-in range.
PanelLayout PanelLayoutFor(const EmulatorDefinition* definition);

// The option values one "Specific" key holds for the groups the definition
// offers; a value the key lacks, or a group the definition does not offer,
// stays empty and leaves its control as it is.
struct OptionLevel {
    std::array<std::optional<bool>, kCheckGroupCount> checks;
    std::optional<QString> linesOffscreen;
    std::array<std::optional<QString>, kListGroupCount> lists;
    std::optional<QString> joyEmuKeyfile;
    std::optional<QString> additional;
};

// Reads one level; a missing key gives an empty level. The key is opened
// without creating it.
OptionLevel ReadOptionLevel(SettingsStore& store, const KeyPath& specific,
                            const EmulatorDefinition& definition);

// The line count a stored text gives the spin edit: its number when the
// text is one (blanks around it allowed), nothing otherwise.
std::optional<int> LinesOffscreenNumber(const QString& text);
