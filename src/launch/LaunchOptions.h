#pragma once

#include <QString>

#include "launch/LaunchCommandLine.h"

struct EmulatorDefinition;

// What a launch takes from the option panel (which implements it).
class LaunchOptions {
public:
    struct Choices {
        PanelChoices panel;
        QString keyFile;  // JoyEmu's key file, trimmed
    };
    // The panel's choices for the emulator, once each of its lists without a
    // selection has its first item selected and stored, as leaving the list
    // would store it.
    virtual Choices ChoicesForLaunch(const EmulatorDefinition& emulator) = 0;

protected:
    ~LaunchOptions() = default;
};
