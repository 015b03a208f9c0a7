#pragma once

#include <QString>

#include "gamelist/RomLocation.h"

// The ROM search of the list build, for a single game outside a build ("&Add
// to list"): the found-files list (the drives are searched first when it is
// empty), the labels that follow the search and TFStatus's question.
class RomSearch {
public:
    // Searches the ROM of a game of the emulator whose executable lies in
    // `emulatorDirectory`. Cancel in TFStatus gives an aborted result, which
    // also stops a list build that is running.
    virtual RomLocation::Result SearchRom(const QString& shortName, int emulatorIndex,
                                          const QString& emulatorDirectory) = 0;

protected:
    ~RomSearch() = default;
};
