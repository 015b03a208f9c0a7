#pragma once

#include <QString>
#include <QStringList>

#include "platform/ScriptWord.h"

class DosFileSystem;

namespace MaintenanceScripts {

struct FixRomRequest {
    QString gameName;          // the entry name, for the messages
    QString location;          // GL: the game's archive
    QString programDirectory;  // PD: short form, with its trailing backslash
    QString pkzip;             // the tool locations as set
    QString pkunzip;
};

// The lines to run, or why there are none: a refusal names the game and the
// reason. Both are empty for a game kept in a folder, which has nothing to
// repack.
struct FixRomScript {
    QStringList lines;
    QString refusal;
    QList<ScriptWords::Effect> effects;  // what the lines may change
};

// Repacks a zipped ROM without its folders. The archive is unpacked flat into
// a work folder the script makes under a name unused in the program
// directory, packed into a new archive beside that folder, and copied over
// the game's archive only when both tools ended well; an archive whose
// entries could not all come back (encrypted, unknown method, two entries
// of one name once flattened, hidden names) is refused before anything runs.
FixRomScript FixRom(const DosFileSystem& fs, const FixRomRequest& request);

}  // namespace MaintenanceScripts
