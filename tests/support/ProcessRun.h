#pragma once

#include <QProcess>
#include <QString>

// What a program the tests ran to its end left behind.
struct ProcessOutcome {
    int exitCode = -1;  // -1: it crashed, or was still running at the bound and killed
    QString standardOutput;
    QString standardError;
};

// Starts the process the caller set up (standard input empty) and waits for
// its end; the generous bound is only reached by a hang.
ProcessOutcome runToEnd(QProcess& process, int boundMs = 120000);
