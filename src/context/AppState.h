#pragma once

#include <QStringList>

#include "catalogue/EmulatorTable.h"

// The main window's plain state: the emulator table, the lists shared
// between subsystems and the run's flags. It lives from start-up to the
// window's destruction.
struct AppState {
    EmulatorTable emulators;
    QStringList foundFiles;       // upper-case DOS paths from the last drive search
    QStringList walkAccumulator;  // what the running walk collects
    QStringList wantedSuffixes;   // fragments the walk collects files by
    QStringList pictureIndex;     // lines of picture.dir
    bool listBuildAbort = false;
    bool gameLaunched = false;
    bool locked = false;
    int joystickCentreX = 32767;
    int joystickCentreY = 32767;
};
