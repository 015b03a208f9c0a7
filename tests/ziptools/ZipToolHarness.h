#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <map>
#include <string>
#include <vector>

#include "support/TempInstallation.h"  // readable QString values in failure messages

// UTF-8 words as a list.
QStringList words(std::initializer_list<const char*> words);

// Real archives in a temporary folder, and the built PKZIP.EXE / PKUNZIP.EXE run on them.
class ZipToolHarness {
public:
    struct Entry {
        std::string name;
        QByteArray content;
        bool stored = false;  // uncompressed, so a test can damage the bytes it knows
        QDateTime modified = QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6));
        bool encrypted = false;  // AES-256 with a password no test gives
    };
    struct Result {
        int exitCode = -1;
        QString out;
        QString err;
    };

    ZipToolHarness();

    QString path(const QString& relative) const { return dir_.path() + u'/' + relative; }
    void write(const QString& relative, const QByteArray& content,
               const QDateTime& modified = QDateTime()) const;
    QByteArray read(const QString& relative) const;
    bool exists(const QString& relative) const;
    // Every file below the folder, as relative paths with "/", sorted.
    QStringList files(const QString& relative = QString()) const;

    void makeZip(const QString& relative, const std::vector<Entry>& entries) const;
    // Entry name -> content.
    std::map<std::string, QByteArray> readZip(const QString& relative) const;
    QDateTime entryTime(const QString& relative, const std::string& name) const;
    bool isStored(const QString& relative, const std::string& name) const;

    // The tools run with drive C: = the whole temporary folder unless told otherwise.
    void mapDrives(const QString& form) { drives_ = form; }
    Result pkzip(const QStringList& arguments, const QString& workingFolder = QString()) const;
    Result pkunzip(const QStringList& arguments, const QString& workingFolder = QString()) const;

    static QString pkzipProgram() { return QStringLiteral(BRIVANEL_PKZIP); }
    static QString pkunzipProgram() { return QStringLiteral(BRIVANEL_PKUNZIP); }

private:
    Result run(const QString& program, const QStringList& arguments,
               const QString& workingFolder) const;

    QTemporaryDir dir_;
    QString drives_;
};
