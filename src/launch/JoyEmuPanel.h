#pragma once

#include <QString>
#include <QStringList>

#include "platform/Dialogs.h"

class DosFileSystem;

// The JoyEmu row of the option panel: choosing a key file and running the
// JoyEmu control panel.

// The key-file dialog: it opens in the folder of JoyCP (a DOS path, as the
// tool locations hold it) with the current key file chosen. The dialog works
// on host paths, so both are resolved; a key file that does not exist is
// offered by its text as it stands.
OpenFileRequest JoyEmuKeyfileRequest(const DosFileSystem& fs, const QString& keyFile,
                                     const QString& joyCpLocation);

// The four lines that run JoyCP from its own folder and then start the
// front-end again; the location is used as entered, not in short form.
QStringList JoyCpScript(const QString& joyCpLocation, const QString& executablePath);
