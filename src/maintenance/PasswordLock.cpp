#include "maintenance/PasswordLock.h"

namespace PasswordLock {

bool Unlocks(const QString& entered, const QString& storedPassword) {
    return entered.toUpper() == storedPassword.toUpper();
}

}  // namespace PasswordLock
