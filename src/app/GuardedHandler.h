#pragma once

#include <QWidget>

#include "app/TFMain.h"

// Runs a dialog's handler through the main window's general error handler
// when the dialog belongs to one (a dialog made alone, as in a test, runs it
// plainly).
template <class Handler>
void RunGuarded(QWidget* dialogParent, Handler&& handler) {
    if (auto* main = qobject_cast<TFMain*>(dialogParent)) {
        main->Guard(std::forward<Handler>(handler));
    } else {
        handler();
    }
}
