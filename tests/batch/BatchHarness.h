#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <ostream>

#include "support/StandIn.h"
#include "support/TempInstallation.h"

// Runs the real brivanel-batch on scripts written into a temporary
// installation (drives C: and D:, program directory C:\BRIVANEL).
class BatchHarness {
public:
    struct Result {
        int exitCode = -1;
        QString log;  // Execute.log beside the script
        QString standardError;
    };

    BatchHarness();

    Result run(const QStringList& lines,
               const QString& scriptDos = u"C:\\BRIVANEL\\Execute.bat"_qs);
    // Runs a script already in place.
    Result runExisting(const QString& scriptDos = u"C:\\BRIVANEL\\Execute.bat"_qs);
    Result runCommand(const QString& line);

    // A "#!/bin/sh" program at a DOS path running the given shell text.
    void writeProgram(const QString& dosPath, const QString& body, bool executable = true) const {
        StandIn::writeProgram(inst, dosPath, body, executable);
    }
    // A stand-in that records its working folder and arguments in `recordDos`.
    void writeRecorder(const QString& dosPath, const QString& recordDos) const {
        StandIn::writeRecorder(inst, dosPath, recordDos);
    }
    StandIn::Recorded recorded(const QString& recordDos) const {
        return StandIn::read(inst, recordDos);
    }

    QString host(const QString& dosPath) const { return inst.host(dosPath); }
    bool exists(const QString& dosPath) const;
    void write(const QString& dosPath, const QByteArray& content = "x") const {
        inst.writeFile(dosPath, content);
    }
    // A file holding "x" at each DOS path.
    void writeFiles(std::initializer_list<const char*> dosPaths) const {
        for (const char* dosPath : dosPaths) {
            inst.writeFile(QString::fromUtf8(dosPath), "x");
        }
    }
    QByteArray read(const QString& dosPath) const { return inst.readFile(dosPath); }
    void setReadOnly(const QString& dosPath, bool readOnly) const;
    bool isReadOnly(const QString& dosPath) const;

    TempInstallation inst;
    // The interpreter's environment; tests change PATH or HOME here.
    QProcessEnvironment environment;
    // Drives beside C: and D:, in the --drives form ("E:=/path").
    QString extraDrives;

private:
    Result start(const QStringList& arguments, const QString& logHost);
};
