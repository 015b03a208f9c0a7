#pragma once

#include <QProcess>
#include <QTimer>
#include <memory>

#include "gamelist/ListXmlReader.h"

// A MAME-type emulator printing its machines as XML, read as the output
// comes: a few milliseconds of parsing at a time, so that the window keeps
// handling its events in between, and nothing of the output is kept but
// the facts. Runs on the event loop of the thread that made it.
class ListXmlRun {
public:
    // Takes over a started process whose standard output is the list.
    explicit ListXmlRun(std::unique_ptr<QProcess> process);
    ~ListXmlRun();
    ListXmlRun(const ListXmlRun&) = delete;
    ListXmlRun& operator=(const ListXmlRun&) = delete;

    bool running() const { return !done_; }
    // The facts when the run ended well and printed at least one machine;
    // else none, and the list is built as without them.
    MachineFactsTable takeFacts();
    // Gives up: the process is ended and its facts are dropped.
    void stop();

private:
    void schedule();
    void slice();
    void finish();
    void endProcess();

    std::unique_ptr<QProcess> process_;
    QTimer next_;
    ListXmlReader reader_;
    bool exited_ = false;
    bool exitedWell_ = false;
    bool done_ = false;
    bool succeeded_ = false;
};
