#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <functional>

class QWidget;

// One running program per settings store, as desktop programs have it: a
// second start brings the running window to the front and ends. Two windows
// on one store would each write "Current" and "Time" at their end, and the
// later one would undo the other's play. Keyed by the store's file, so that
// installations with stores of their own run side by side.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Claim {
        First,       // no other run on this store: this one goes on
        OtherShown,  // the running one brought its window to the front
        OtherBusy,   // the running one neither answered nor ended in time
    };

    explicit SingleInstance(const QString& storeFile);

    // Takes the store for this run, or asks the run that has it to show
    // itself. A run that is closing does not answer: then this start waits
    // up to `endWaitMs` for it to end (the play script starts the program
    // again as soon as the emulator is done) and goes on.
    Claim claim(int answerMs = 5000, int endWaitMs = 30000);
    // What a later start's request runs: true when the window came to the
    // front, false when it is closing. Unset, no request is answered.
    void onRaise(std::function<bool()> raise) { raise_ = std::move(raise); }
    // No more requests are answered, as the run ends.
    void stopAnswering() { server_.close(); }

    // The usual answer: un-minimises, raises and activates a shown window.
    static bool bringToFront(QWidget& window);

private:
    void listen();
    void answer();

    QString socketName_;
    QLockFile lock_;
    QLocalServer server_;
    std::function<bool()> raise_;
};
