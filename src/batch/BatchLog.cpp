#include "batch/BatchLog.h"

#include <cstdio>

std::unique_ptr<BatchLog> BatchLog::replacing(const QString& hostPath) {
    // Removed first, not truncated: an interpreter from an earlier run may
    // still hold the old log open (it waits for the program it restarted) and
    // its last words must not land in the middle of this one.
    QFile::remove(hostPath);
    auto file = std::make_unique<QFile>(hostPath);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        auto log = toStandardError();
        log->note(QStringLiteral("cannot write the log %1: %2").arg(hostPath, file->errorString()));
        return log;
    }
    return std::unique_ptr<BatchLog>(new BatchLog(std::move(file), true));
}

std::unique_ptr<BatchLog> BatchLog::toStandardError() {
    auto file = std::make_unique<QFile>();
    if (!file->open(stderr, QIODevice::WriteOnly)) {
        file.reset();
    }
    return std::unique_ptr<BatchLog>(new BatchLog(std::move(file), false));
}

void BatchLog::write(const QString& line) {
    if (!file_) {
        return;
    }
    file_->write(line.toUtf8() + "\r\n");
    file_->flush();
}

void BatchLog::note(const QString& text) {
    write(text);
}

void BatchLog::command(const QString& prompt, const QString& line) {
    // Control characters from a damaged script would garble the log itself.
    QString shown = line;
    for (QChar& c : shown) {
        if (c.unicode() < 0x20 && c != u'\t') {
            c = u'?';
        }
    }
    write(prompt + u'>' + shown);
}

void BatchLog::outcome(const Outcome& outcome) {
    if (outcome.ok) {
        write(outcome.text.isEmpty() ? QStringLiteral("    ok")
                                     : QStringLiteral("    ok: ") + outcome.text);
    } else {
        write(QStringLiteral("    failed: ") + outcome.text);
    }
}
