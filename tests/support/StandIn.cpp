#include "support/StandIn.h"

#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include "platform/TextCodec.h"

namespace StandIn {

bool placeProgram(const QString& built, const QString& target) {
    return ::link(QFile::encodeName(built).constData(), QFile::encodeName(target).constData()) ==
               0 ||
           QFile::copy(built, target);
}

QString shellQuoted(const QString& text) {
    QString out = text;
    out.replace(u'\'', QStringLiteral("'\\''"));
    return u'\'' + out + u'\'';
}

void writeProgram(const TempInstallation& inst, const QString& dosPath, const QString& body,
                  bool executable) {
    inst.writeFile(dosPath, (u"#!/bin/sh\n" + body + u'\n').toUtf8());
    if (executable) {
        QFile::setPermissions(inst.host(dosPath), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                      QFileDevice::ExeOwner);
    }
}

void writeRecorder(const TempInstallation& inst, const QString& dosPath, const QString& recordDos) {
    // Written under another name and renamed, so a waiting test never reads half a record.
    const QString record = shellQuoted(inst.host(recordDos));
    const QString partial = shellQuoted(inst.host(recordDos) + u".part");
    writeProgram(inst, dosPath,
                 u"pwd > " + partial + u"\nfor a in \"$@\"; do printf '%s\\n' \"$a\" >> " +
                     partial + u"; done\n/bin/mv " + partial + u' ' + record);
}

Recorded read(const TempInstallation& inst, const QString& recordDos) {
    QStringList lines = TextCodec::splitLines(QString::fromUtf8(inst.readFile(recordDos)));
    Recorded out;
    if (!lines.isEmpty()) {
        out.workingFolder = lines.takeFirst();
        out.arguments = lines;
    }
    return out;
}

bool waitUntil(const std::function<bool()>& condition, int boundMs) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > boundMs) {
            return false;
        }
        QThread::msleep(50);
    }
    return true;
}

qint64 runningProgram(const QString& path) {
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (isPid && QFile::symLinkTarget(u"/proc/" + entry + u"/exe") == path) {
            return pid;
        }
    }
    return 0;
}

}  // namespace StandIn
