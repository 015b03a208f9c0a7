#include "maintenance/ui/LockCommand.h"

#include "context/AppContext.h"
#include "maintenance/PasswordLock.h"
#include "platform/ui/MenuItem.h"
#include "settings/StoreSchema.h"

LockCommand::LockCommand(AppContext& ctx, const ErrorGuard& guard, QObject* parent)
    : QObject(parent),
      ctx_(ctx),
      guard_(guard),
      Lock1(newMenuItem(this, "Lock1", QStringLiteral("Lock..."))) {
    setObjectName(QStringLiteral("Lock"));
    guard_.connect(Lock1, &QAction::triggered, this, &LockCommand::Lock1Click);
}

void LockCommand::ApplyLock(bool locked) {
    locked_ = locked;
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
                                .passwordBox(QStringLiteral("Password Entry"),
                                             QStringLiteral("Please enter a password:"))
                                .value_or(QString());
    using StoreSchema::kLocked;
    if (locked_) {
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
