#pragma once

#include <QStringView>

// Names that DOS, and DOSBox after it, take as a device in every folder and
// with any extension: "NUL.SAV" is the null device, not a file, so a save
// written there is gone and a read from "AUX.DAT" reads the serial port.
namespace DosDevices {

// True for one path component whose name before its first dot is CON, PRN,
// AUX, NUL, COM1 to COM9 or LPT1 to LPT9, in any case.
bool isDeviceName(QStringView component);

// The first component of a path ("C:\SAVE\NUL.SAV", "hi\con.hi") that is a
// device name; empty when there is none.
QStringView deviceComponent(QStringView path);

}  // namespace DosDevices
