#pragma once

#include <QByteArray>
#include <QString>
#include <QXmlStreamReader>
#include <chrono>

#include "gamelist/MachineFacts.h"

// Reads the facts of every machine from a MAME-type emulator's -listxml
// output as it arrives, a piece at a time: the output of a current MAME is
// hundreds of megabytes, of which only a few attributes per machine are
// kept. The input is not trusted: texts are cut to a sensible length, the
// number of machines is bounded, and entities are not expanded beyond
// Qt's limit, so that no input makes it grow without end.
class ListXmlReader {
public:
    ListXmlReader();

    // Hands over the next bytes of the output.
    void addData(const QByteArray& bytes);
    // No more bytes will come.
    void endOfData();
    // Parses what has been handed over, for about `budget` at most. True
    // when there is nothing more to do: the end, or an error.
    bool parse(std::chrono::milliseconds budget);
    // Parses everything handed over, for readers that have it all.
    bool parseAll() { return parse(std::chrono::milliseconds::max()); }

    bool done() const { return done_; }
    // The last parse stopped for want of bytes rather than time.
    bool wantsData() const { return wantsData_; }
    // Done without an error, with at least one machine: facts worth keeping.
    bool succeeded() const { return done_ && error_.isEmpty() && !facts_.isEmpty(); }
    const QString& error() const { return error_; }
    const MachineFactsTable& facts() const { return facts_; }
    MachineFactsTable takeFacts() { return std::move(facts_); }

    static constexpr qsizetype kMaxText = 200;
    static constexpr qsizetype kMaxMachines = 500000;

private:
    void startElement();
    void endElement();
    void fail(const QString& message);

    QXmlStreamReader xml_;
    MachineFactsTable facts_;
    bool ended_ = false;  // endOfData was called
    bool wantsData_ = false;
    bool done_ = false;
    QString error_;
    // The machine being read: its name, facts and the depth of its element.
    QString name_;
    MachineFacts machine_;
    int depth_ = 0;
    int machineDepth_ = 0;
    QString* text_ = nullptr;  // the fact whose text is being read
};
