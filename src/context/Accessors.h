#pragma once

#include <QString>

class AppContext;
class SettingsStore;
class DosFileSystem;
struct EmulatorDefinition;

// The accessors of the main window that need no window: list and merge
// files, game directories and the text of list items.

// <program directory><ID>.lst when it exists, else <program directory><Platform>.lst.
QString ListFilePath(const AppContext& ctx, const EmulatorDefinition& emulator);
// The short name's value in [Directories] of the list file, else the short
// name; a value that is no safe name (DosPath::isSafeName) is ignored.
QString GameDirectoryName(const AppContext& ctx, const EmulatorDefinition& emulator,
                          const QString& shortName);
// The name's value in [Merged] of <program directory><ID>.MRG, else the
// name; a value that is no safe name is ignored.
QString ParentName(const AppContext& ctx, const EmulatorDefinition& emulator, const QString& name);
// At least six entries in a listing of path\*.*, "." and ".." counted.
bool IsGameDirectory(const DosFileSystem& fs, const QString& path);

// "0012": the count right-aligned in four digits; more digits when needed.
QString FormatPlayCount(int count);
// The list item text of an entry: the name, with the play count in front
// when `showCount` is on (an entry without "Count" shows 0000).
QString DisplayText(SettingsStore& store, const QString& name, bool showCount);
// The entry name back from a list item's text: the count prefix (up to its
// blank, however many digits) and the "[ ... ]" frame of a missing game removed.
QString EntryNameFromItemText(const QString& itemText, bool showCount);
// Whether a list item stands for a missing game: after any count prefix the
// text is framed by "[ " and " ]". Real game names hold brackets too
// ("Pong (Rev E) [TTL]", "Apple ]["), so a bracket alone proves nothing.
bool isMissingGameItem(const QString& itemText, bool showCount);
