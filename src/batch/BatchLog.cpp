#include "batch/BatchLog.h"

#include <cstdio>

#include "platform/BatchLogLines.h"

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
    return std::unique_ptr<BatchLog>(new BatchLog(std::move(file)));
}

std::unique_ptr<BatchLog> BatchLog::toStandardError() {
    auto file = std::make_unique<QFile>();
    if (!file->open(stderr, QIODevice::WriteOnly)) {
        file.reset();
    }
    return std::unique_ptr<BatchLog>(new BatchLog(std::move(file)));
}

QString BatchLog::escaped(const QString& text) {
    // Names and program output reach the log through outcome texts; a line
    // break among them would let a file name forge lines of its own.
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool control =
            (u < 0x20 && u != u'\t') || (u >= 0x7F && u < 0xA0) || u == 0x2028 || u == 0x2029;
        if (control) {
            out += QStringLiteral("\\x%1").arg(u, u > 0xFF ? 4 : 2, 16, QLatin1Char('0'));
        } else {
            out += c;
        }
    }
    return out;
}

void BatchLog::write(const QString& line) {
    if (!file_) {
        return;
    }
    file_->write(escaped(line).toUtf8() + "\r\n");
    file_->flush();
}

void BatchLog::note(const QString& text) {
    write(text);
}

void BatchLog::command(const QString& prompt, const QString& line) {
    write(prompt + u'>' + line);
}

void BatchLog::outcome(const Outcome& outcome) {
    using namespace BatchLogLines;
    if (outcome.ok) {
        write(outcome.text.isEmpty() ? QString::fromUtf16(kOk)
                                     : QString::fromUtf16(kOk) + u": " + outcome.text);
        return;
    }
    write(QString::fromUtf16(kFailed) + outcome.text);
    if (!outcome.lastOutput.isEmpty()) {
        write(QString::fromUtf16(kLastOutput) + outcome.lastOutput);
    }
}
