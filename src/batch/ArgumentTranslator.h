#pragma once

#include <QString>

#include "platform/DosFileSystem.h"

// DOS paths in a program's arguments, put into the form the program can use.
// An argument is a path when it holds "X:\" with X a mapped drive; text before
// it stays as it is (JoyEmu's "kC:\KEYS\GAME.KS" keeps its "k"), and a last
// component that does not exist yet (an output folder, "*.*") is kept as written.
namespace ArgumentTranslator {

// Index of the DOS path in the argument, or -1.
qsizetype dosPathStart(const DosFileSystem& fs, const QString& argument);
// For a native program: the host path.
QString toHost(const DosFileSystem& fs, const QString& argument);
// For a program run through wine: the path as wine's own drives name it
// (`wineDrives`, usually with Z: for "/"); unchanged when wine has no drive for it.
QString toWine(const DosFileSystem& fs, const DosFileSystem& wineDrives, const QString& argument);

}  // namespace ArgumentTranslator
