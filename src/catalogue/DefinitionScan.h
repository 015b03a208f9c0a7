#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>

class DosFileSystem;

struct DefinitionScan {
    bool anyIniFile = false;  // the folder holds at least one "*.ini"
    QStringList emulatorIds;  // definitions, in listing order
};

// Lists "*.ini" of the program directory in byte order and keeps the
// emulator IDs of the files that are definitions. A file whose name holds
// more than one "." cannot be read back as <ID>.ini and is not taken; of two
// files giving one ID (mame.ini, MAME.INI) the first listed is taken.
DefinitionScan ScanDefinitions(const DosFileSystem& fs, const QString& programDirectory);

// Orders emulator IDs by the line count of their list files, most lines
// first; equal counts put the later ID (ignoring case) first. `lineCount`
// gives the count, or nothing when the list file does not exist (counted as 1).
QStringList OrderByListSize(const QStringList& ids,
                            const std::function<std::optional<int>(const QString& id)>& lineCount);
