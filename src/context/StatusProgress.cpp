#include "context/StatusProgress.h"

#include "context/StatusLine.h"

StatusProgress::~StatusProgress() {
    if (running_) {
        status_.EndProgress();
    }
}

void StatusProgress::begin(const QString& text, qint64 total, const QString& caption) {
    running_ = true;
    status_.SetStatus(text);
    status_.BeginProgress(total, caption);
}

void StatusProgress::step(qint64 done) {
    if (due()) {
        show(done);
    }
}

bool StatusProgress::due() {
    return running_ && throttle_.due();
}

void StatusProgress::show(qint64 done, const QString& text) {
    if (!running_) {
        return;
    }
    if (!text.isEmpty()) {
        status_.SetStatus(text);
    }
    status_.StepProgress(done);
}

void StatusProgress::end(const QString& text) {
    if (running_) {
        running_ = false;
        status_.EndProgress();
    }
    if (!text.isEmpty()) {
        status_.SetStatus(text);
    }
}
