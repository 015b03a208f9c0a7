#pragma once

#include <QString>
#include <QStringList>

// 8.3 aliases for host names that DOS could not hold as they are.
namespace ShortNames {

// True when the name already is a DOS 8.3 name (case aside).
bool isValidShortName(const QString& name);

// The short name of every entry of one folder, in the order of `sortedNames`
// (byte order of the host names). A valid 8.3 name is its own short name,
// unless an earlier name differs from it only in case. Every other name gets
// STEM~N.EXT: N counts on per stem (first six letters kept to ~9, five to
// ~99, four to ~999, ...), passing over any alias a real 8.3 name of the
// folder spells. No two short names are equal ignoring case, so each one
// means a single entry. An entry left without a free alias (ten million
// siblings) gets an empty one.
QStringList aliases(const QStringList& sortedNames);

}  // namespace ShortNames
