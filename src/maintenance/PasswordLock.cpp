#include "maintenance/PasswordLock.h"

namespace PasswordLock {

bool StartsLocked(const QString& storedPassword) {
    return !storedPassword.isEmpty();
}

bool Unlocks(const QString& entered, const QString& storedPassword) {
    return entered.toUpper() == storedPassword.toUpper();
}

}  // namespace PasswordLock
