#pragma once

#include <QString>
#include <QStringList>

// A path in the settings store as a list of key names. A name may hold "\"
// (a game called "AC\DC" is one key), so paths of entry names are built with
// `child`, never by joining text.
struct KeyPath {
    bool absolute = false;
    QStringList parts;

    // Splits at "\"; a leading "\" makes the path absolute.
    static KeyPath parse(const QString& text);
    KeyPath child(const QString& name) const;
    QString toString() const;
};

// The program's own keys (their names: settings/StoreSchema.h).
namespace StorePaths {
KeyPath Root();
// "\Software\Quenterby\Brivanel\" + name, the name being one key.
KeyPath Entry(const QString& name);
// The "Specific" subkey of an entry.
KeyPath Specific(const QString& name);
}  // namespace StorePaths
