#pragma once

#include <QString>
#include <QStringView>
#include <string_view>

// DOS wildcards: "*" and "?" in the last component of a path, the same for
// the script interpreter's commands and for the ZIP tools.
namespace DosWildcard {

bool hasWildcards(QStringView name);
bool hasWildcards(std::string_view name);

// Matches ignoring case, as DosCase folds text and bytes.
// "*" and "*.*" match every name; a pattern ending in ".*" also matches
// names without an extension, one ending in a single "." only those; "?"
// never matches the dot, and "?"s that end the name or the extension may
// match nothing, as "FILE????.TXT" matches "FILE.TXT".
bool matches(QStringView pattern, QStringView name);
bool matches(std::string_view pattern, std::string_view name);

// The name a wildcard target gives a file, as ren and copy form it: name and
// extension handled apart, "?" keeping the file's character at its place,
// "*" keeping the rest of the file's part, other characters replacing.
QString applyRenamePattern(const QString& pattern, const QString& fileName);

}  // namespace DosWildcard
