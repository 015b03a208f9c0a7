#pragma once

#include <QString>
#include <array>
#include <optional>

#include "catalogue/OptionGroups.h"

struct EmulatorDefinition;
struct ListGroupDefinition;

// What the option panel shows at the moment of the launch.
struct PanelChoices {
    std::array<bool, kCheckGroupCount> checked{};
    // The drop-down lists' texts, in the order of the list groups.
    std::array<QString, kListGroupCount> listTexts;
    QString linesOffscreen;  // the spin edit's text
    QString additional;      // EAdditional
};

// Removes trailing blanks and control characters, then adds one blank and
// the fragment; an empty fragment leaves at most a blank that the next
// fragment or the final trim removes.
QString appendFragment(const QString& line, const QString& fragment);

// The game's word on the command line: the short name, or the switch with
// its first "%sn%" (else "%fn%", the file name of the location) replaced,
// matched ignoring case, or the switch, a blank and the short name.
QString gameNameFragment(const QString& gameSwitch, const QString& shortName,
                         const QString& fileName);
// Whether that word is the file name rather than the short name.
bool gameNameIsFileName(const QString& gameSwitch);

// The fragment of the first caption equal to the text ignoring case; none
// when no caption matches (a list without items, a text from elsewhere).
std::optional<QString> listFragment(const ListGroupDefinition& group, const QString& text);

// The emulator's command line: the executable and the fragments in their
// fixed order, "start /w " in front when JoyEmu is not shown, trimmed.
// `executable` and `location` are in short form.
QString launchCommandLine(const EmulatorDefinition& emulator, const QString& executable,
                          const QString& shortName, const QString& location,
                          const PanelChoices& choices);
