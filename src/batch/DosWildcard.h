#pragma once

#include <QString>

// DOS wildcards: "*" and "?" in the last component of a path.
namespace DosWildcard {

bool hasWildcards(const QString& name);
// Matches ignoring case. "*" and "*.*" match every name; a pattern ending in
// ".*" also matches names without an extension; "?"s that end the name or
// the extension may match nothing, as "FILE????.TXT" matches "FILE.TXT".
bool matches(const QString& pattern, const QString& name);
// The name a wildcard target gives a file, as ren and copy form it: name and
// extension handled apart, "?" keeping the file's character at its place,
// "*" keeping the rest of the file's part, other characters replacing.
QString applyRenamePattern(const QString& pattern, const QString& fileName);

}  // namespace DosWildcard
