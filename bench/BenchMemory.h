#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// A field of /proc/self/status ("VmRSS:", "VmHWM:") in MiB.
inline double memoryMiB(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field)) {
            return line.mid(int(qstrlen(field))).trimmed().split(' ').value(0).toDouble() / 1024.0;
        }
    }
    return 0;
}
