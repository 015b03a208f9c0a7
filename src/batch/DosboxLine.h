#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

#include "batch/DosSession.h"

// What DOSBox is given to run one DOS program line. DOSBox finds files by
// its own rules (its own ~N aliases, either of two names that differ in case
// only, Z: for itself) and its shell reads ">", "<", "|" and "%" on the
// line. So only what both sides name alike is handed over: every drive
// whose folder can be mounted as it is, a program and current directory
// whose every component is an 8.3 name without "~" that no other entry of
// its folder shares ignoring case, arguments free of the shell's
// characters. Anything else makes the line fail with a message instead.
//
// Redirections are not left to DOSBox: the program's input and output go
// through an exchange folder mounted as a drive of its own, and the
// interpreter copies them from and to the host files it resolved.
namespace DosboxLine {

// Names of the files in the exchange folder.
inline constexpr char16_t kInput[] = u"IN.TXT";
inline constexpr char16_t kOutput[] = u"OUT.TXT";
// Folders DOSBox makes there: it found the program; the program's error level was 1 or more.
inline constexpr char16_t kFound[] = u"FOUND";
inline constexpr char16_t kFailed[] = u"FAILED";

struct Request {
    QString programHost;  // the file the interpreter resolved
    QChar programDrive;   // the drive it was resolved on
    QStringList arguments;
    bool input = false;   // "< FILE" given
    bool output = false;  // "> FILE" or ">> FILE" given
    QString exchangeFolder;
};

struct Plan {
    QStringList arguments;  // DOSBox's command line
    QString error;          // why the line cannot be handed over; empty when it can
};

Plan build(const DosSession& session, const Request& request);

// Whether the host name is one DOSBox will find under exactly that name in
// that folder.
bool isPlainName(const QString& hostFolder, const QString& name);

}  // namespace DosboxLine
