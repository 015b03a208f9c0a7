#pragma once

#include <QStringList>

#include "gamelist/FoundFilesIndex.h"
#include "gamelist/MachineFacts.h"

// Where a running list build stands between two ticks of Timer1.
struct ListBuildState {
    QStringList chosenEmulators;  // list names of the emulators this build visits
    int ListBuildIndex = 0;       // the emulator index being processed
    QStringList ListBuildLines;   // that emulator's game short names
    double ListBuildStart = 0;    // when the wait for its list file began, in days
    int Timer1Tag = 0;            // the game counter; 0 while the list file is awaited
    bool fast = false;            // many games per tick ("Fast List Build")
    // What a MAME-type emulator told of its machines; empty when it could not.
    MachineFactsTable facts;
    // The index over the found-files list, rebuilt when the list has changed.
    FoundFilesIndex foundFilesIndex;
};
