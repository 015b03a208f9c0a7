#pragma once

#include <QString>
#include <QStringList>

// 8.3 aliases for host names that DOS could not hold as they are.
namespace ShortNames {

// True when the name already is a DOS 8.3 name (case aside).
bool isValidShortName(const QString& name);

// The alias of every entry of one folder, in the order of `sortedNames`
// (byte order of the host names). Valid 8.3 names map to themselves; every
// other name gets STEM~N.EXT, N counting earlier siblings with the same stem.
QStringList aliases(const QStringList& sortedNames);

}  // namespace ShortNames
