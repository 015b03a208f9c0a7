#pragma once

#include <QString>

// The password lock of the menu items that change the installation. The
// password is kept as typed, in plain text: it guards menu items, not data.
namespace PasswordLock {

// Locked exactly when the stored password is non-empty.
bool StartsLocked(const QString& storedPassword);

// An entry unlocks when it equals the stored password whatever the case.
bool Unlocks(const QString& entered, const QString& storedPassword);

}  // namespace PasswordLock
