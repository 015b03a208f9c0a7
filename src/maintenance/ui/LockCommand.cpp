#include "maintenance/ui/LockCommand.h"

#include "context/AppContext.h"
#include "context/AppState.h"
#include "maintenance/PasswordLock.h"
#include "platform/ui/MenuItem.h"
#include "settings/StoreSchema.h"

LockCommand::LockCommand(AppContext& ctx, AppState& state, const ErrorGuard& guard, QObject* parent)
    : QObject(parent),
      ctx_(ctx),
      state_(state),
      guard_(guard),
      Lock1(newMenuItem(this, "Lock1", QStringLiteral("Lock..."))) {
    setObjectName(QStringLiteral("Lock"));
    guard_.connect(Lock1, &QAction::triggered, this, &LockCommand::Lock1Click);
}

void LockCommand::ApplyLock(bool locked) {
    state_.locked = locked;
    Lock1->setText(locked ? QStringLiteral("Unlock...") : QStringLiteral("Lock..."));
    for (QAction* item : lockable_) {
        item->setEnabled(!locked);
    }
}

void LockCommand::Lock1Click() {
    SettingsStore store = ctx_.store();
    const bool opened = StoreSchema::openRoot(store, false);
    // A cancelled box counts as an empty entry.
    const QString entered = ctx_.dialogs()
                                .inputBox(QStringLiteral("Password Entry"),
                                          QStringLiteral("Please enter a password:"), QString())
                                .value_or(QString());
    using StoreSchema::kLocked;
    if (state_.locked) {
        const QString stored = opened ? kLocked.readFrom(store) : QString();
        if (!PasswordLock::Unlocks(entered, stored)) {
            return;
        }
        if (opened) {
            kLocked.writeTo(store, QString());
        }
        ApplyLock(false);
        return;
    }
    if (opened) {
        kLocked.writeTo(store, entered);
    }
    ApplyLock(true);
}
