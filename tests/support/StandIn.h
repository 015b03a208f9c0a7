#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "support/TempInstallation.h"

// Small "#!/bin/sh" programs that stand in for emulators and tools, and a way
// to wait for what a detached script leaves behind.
namespace StandIn {

void writeProgram(const TempInstallation& inst, const QString& dosPath, const QString& body,
                  bool executable = true);
// A program that writes its working folder, then each argument, one a line,
// into the record file.
void writeRecorder(const TempInstallation& inst, const QString& dosPath, const QString& recordDos);

struct Recorded {
    QString workingFolder;
    QStringList arguments;
};
Recorded read(const TempInstallation& inst, const QString& recordDos);

// Puts the built program into an installation: its folder is the folder of
// its executable (a hard link when it can, else a copy).
bool placeProgram(const QString& built, const QString& target);

// Text as one word for /bin/sh.
QString shellQuoted(const QString& text);
// Polls until the condition holds; false when the generous bound passed first.
bool waitUntil(const std::function<bool()>& condition, int boundMs = 120000);

// The process running the program at `path`; 0 when none runs.
qint64 runningProgram(const QString& path);

}  // namespace StandIn
