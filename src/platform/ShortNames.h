#pragma once

#include <QString>
#include <QStringList>

// 8.3 aliases for host names that DOS could not hold as they are.
namespace ShortNames {

// True when the name already is a DOS 8.3 name (case aside).
bool isValidShortName(const QString& name);

// The short name of every entry of one folder, in the order of `sortedNames`
// (byte order of the host names). A valid 8.3 name is its own short name,
// unless an earlier name differs from it only in case; every other name gets
// STEM~N.EXT with the lowest N whose alias no earlier entry holds and no real
// 8.3 name of the folder spells, the stem shortened as N grows (STEMXX~1,
// STEMX~10, STEM~100). No two short names are equal ignoring case, so each
// one means a single entry. An entry left without a free alias (ten million
// siblings) gets an empty one.
QStringList aliases(const QStringList& sortedNames);

}  // namespace ShortNames
