#pragma once

#include <QString>

// The names of the generated installations the benchmarks time: emulator
// IDs and list names by index, game entry names and short names by number.
namespace BenchNames {

inline QString emulatorId(int e) {
    return QStringLiteral("EMU%1").arg(e, 2, 10, QLatin1Char('0'));
}
inline QString listName(int e) {
    return QStringLiteral("Emulator %1 {Author %1}").arg(e);
}
inline QString gameName(int g) {
    return QStringLiteral("Game title %1 (set 1)").arg(g, 5, 10, QLatin1Char('0'));
}
inline QString shortName(int g) {
    return QStringLiteral("g%1").arg(g);
}

}  // namespace BenchNames
