#include "gamelist/ListXmlRun.h"

#include <QElapsedTimer>

namespace {

// Work between two looks at the window's events: well below what a user
// notices, and below a list build's own step.
constexpr std::chrono::milliseconds kSlice{3};
// Read at a time: parsed in well under a slice.
constexpr qint64 kChunkBytes = 64 * 1024;

}  // namespace

ListXmlRun::ListXmlRun(std::unique_ptr<QProcess> process) : process_(std::move(process)) {
    next_.setSingleShot(true);
    next_.setInterval(0);
    QObject::connect(&next_, &QTimer::timeout, &next_, [this] { slice(); });
    QObject::connect(process_.get(), &QProcess::readyReadStandardOutput, &next_,
                     [this] { schedule(); });
    QObject::connect(process_.get(), &QProcess::finished, &next_,
                     [this](int code, QProcess::ExitStatus status) {
                         exited_ = true;
                         exitedWell_ = status == QProcess::NormalExit && code == 0;
                         schedule();
                     });
    // Output that came before the connections is read by the first slice.
    schedule();
}

ListXmlRun::~ListXmlRun() {
    endProcess();
}

MachineFactsTable ListXmlRun::takeFacts() {
    return succeeded_ ? reader_.takeFacts() : MachineFactsTable();
}

void ListXmlRun::stop() {
    if (!done_) {
        done_ = true;
        next_.stop();
        endProcess();
    }
}

void ListXmlRun::schedule() {
    if (!done_ && !next_.isActive()) {
        next_.start();
    }
}

void ListXmlRun::slice() {
    if (done_) {
        return;
    }
    QElapsedTimer clock;
    clock.start();
    bool finished = reader_.parse(kSlice);
    while (!finished && reader_.wantsData() && clock.elapsed() < kSlice.count()) {
        const QByteArray bytes = process_->read(kChunkBytes);
        if (!bytes.isEmpty()) {
            reader_.addData(bytes);
        } else if (exited_) {
            reader_.endOfData();
        } else {
            return;  // the next output schedules the next slice
        }
        finished = reader_.parse(kSlice - std::chrono::milliseconds(clock.elapsed()));
    }
    if (!finished) {
        schedule();
    } else if (exited_ || !reader_.succeeded()) {
        finish();
    }
    // Otherwise the list is whole and the exit, which decides, is awaited.
}

void ListXmlRun::finish() {
    done_ = true;
    succeeded_ = reader_.succeeded() && exitedWell_;
    endProcess();
}

void ListXmlRun::endProcess() {
    if (process_->state() != QProcess::NotRunning) {
        process_->disconnect();
        process_->kill();
        process_->waitForFinished(2000);
    }
}
