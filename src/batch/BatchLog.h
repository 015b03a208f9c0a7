#pragma once

#include <QFile>
#include <QString>
#include <memory>

#include "batch/Outcome.h"

// The record of a run: each line as the prompt would show it, then how it
// ended. Written as it goes, so a run that hangs or is killed still shows
// how far it came.
class BatchLog {
public:
    // A fresh file at `hostPath`; standard error when it cannot be written.
    static std::unique_ptr<BatchLog> replacing(const QString& hostPath);
    static std::unique_ptr<BatchLog> toStandardError();

    void note(const QString& text);
    void command(const QString& prompt, const QString& line);
    void outcome(const Outcome& outcome);
    // The text with control characters and line separators written as
    // "\xHH", so that every entry stays on its own line.
    static QString escaped(const QString& text);

private:
    explicit BatchLog(std::unique_ptr<QFile> file) : file_(std::move(file)) {}
    void write(const QString& line);

    std::unique_ptr<QFile> file_;
};
