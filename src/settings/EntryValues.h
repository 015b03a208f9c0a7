#pragma once

#include <QChar>
#include <QString>

// Value names of a game or emulator entry in the settings store.
namespace EntryValues {

inline const QString kEmulator = QStringLiteral("Emulator");
inline const QString kShortname = QStringLiteral("Shortname");
inline const QString kLocation = QStringLiteral("Location");

// The value of further emulator n (1-based): the stem and one number
// character counted up by character code from "1" ("Emulator9", then
// "Emulator:", "Emulator;" ...).
inline QString FurtherValueName(const QString& stem, int n) {
    return stem + QChar(char16_t(u'0' + n));
}

}  // namespace EntryValues
