#pragma once

#include <QObject>
#include <QWidget>
#include <utility>

#include "app/ui/TFMain.h"

// Runs a handler through the general error handler of the main window that
// the widget belongs to (a dialog or panel made alone, as in a test, runs
// it plainly).
template <class Handler>
void RunGuarded(QWidget* widget, Handler&& handler) {
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (auto* main = qobject_cast<TFMain*>(w)) {
            main->Guard(std::forward<Handler>(handler));
            return;
        }
    }
    handler();
}

// Connects a signal to a handler of the receiver, run through RunGuarded;
// the signal's own arguments are not passed on. The connection lives as long
// as `context` (the receiver when none is given).
template <class Sender, class Signal, class Receiver>
void connectGuarded(Sender* sender, Signal signal, Receiver* receiver, void (Receiver::*handler)(),
                    QObject* context = nullptr) {
    QObject::connect(sender, signal, context != nullptr ? context : receiver, [receiver, handler] {
        RunGuarded(receiver, [receiver, handler] { (receiver->*handler)(); });
    });
}
