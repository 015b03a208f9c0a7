// "Lock..." and "Unlock...": the password that guards the changing commands.
#include "app/ui/TFMain.h"
#include "context/AppContext.h"
#include "maintenance/PasswordLock.h"
#include "settings/KeyPath.h"

void TFMain::Lock1Click() {
    SettingsStore store = ctx_.store();
    const bool opened = store.OpenKey(StorePaths::Root(), false);
    // A cancelled box counts as an empty entry.
    const QString entered = ctx_.dialogs()
                                .inputBox(QStringLiteral("Password Entry"),
                                          QStringLiteral("Please enter a password:"), QString())
                                .value_or(QString());
    const QString locked = QStringLiteral("Locked");
    if (state.locked) {
        const QString stored = opened ? store.ReadString(locked) : QString();
        if (!PasswordLock::Unlocks(entered, stored)) {
            return;
        }
        if (opened) {
            store.WriteString(locked, QString());
        }
        ApplyLock(false);
        return;
    }
    if (opened) {
        store.WriteString(locked, entered);
    }
    ApplyLock(true);
}
