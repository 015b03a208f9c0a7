#pragma once

#include <QAction>
#include <QObject>
#include <vector>

#include "context/ErrorGuard.h"

class AppContext;

// "Lock..." and "Unlock...": a password that guards the menu items which
// change the installation.
class LockCommand : public QObject {
    Q_OBJECT
public:
    LockCommand(AppContext& ctx, const ErrorGuard& guard, QObject* parent);

    QAction* LockAction() const { return Lock1; }
    // The items the lock disables, in their fixed order.
    void SetLockableItems(std::vector<QAction*> items) { lockable_ = std::move(items); }
    const std::vector<QAction*>& LockableItems() const { return lockable_; }
    // Locks or unlocks: the run's lock state, the caption and the items.
    void ApplyLock(bool locked);
    bool IsLocked() const { return locked_; }

private:
    void Lock1Click();

    AppContext& ctx_;
    ErrorGuard guard_;
    bool locked_ = false;
    QAction* Lock1;
    std::vector<QAction*> lockable_;
};
