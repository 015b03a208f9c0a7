#pragma once

#include <QObject>
#include <exception>
#include <utility>

class Dialogs;

// The general error handler that every window part is given: a store or
// file error raised by a user's action abandons that action and is shown in
// a message box, and the program goes on.
class ErrorGuard {
public:
    explicit ErrorGuard(Dialogs& dialogs) : dialogs_(&dialogs) {}

    template <class Handler>
    void run(Handler&& handler) const {
        try {
            handler();
        } catch (const std::exception& error) {
            show(error);
        }
    }

    // Runs `handler` through run() on every `signal` of `sender`, without the
    // signal's arguments, for as long as `context` lives.
    template <class Sender, class Signal, class Handler>
    void connect(Sender* sender, Signal signal, const QObject* context, Handler handler) const {
        QObject::connect(sender, signal, context,
                         [guard = *this, handler = std::move(handler)] { guard.run(handler); });
    }
    // The same for a handler of the receiver, which is also the context.
    template <class Sender, class Signal, class Receiver>
    void connect(Sender* sender, Signal signal, Receiver* receiver,
                 void (Receiver::*handler)()) const {
        connect(sender, signal, receiver, [receiver, handler] { (receiver->*handler)(); });
    }

    // The message box: the store's own text for a store error.
    void show(const std::exception& error) const;

private:
    Dialogs* dialogs_;
};
