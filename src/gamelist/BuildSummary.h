#pragma once

#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

class AppContext;
struct EmulatorDefinition;

// What a list build tells the user when it ends: how many of the games it
// handled were found, and what it could not do on the way (a path where
// nothing was found, emulators left out for want of their list). A game
// that two emulators list is one game.
class BuildSummary {
public:
    void countGame(const QString& fullName, bool found);
    void addNote(const QString& note) { notes_ << note; }
    // An emulator left out: its list file (a DOS path) does not exist.
    void addMissingList(const QString& listFile);
    void clear() { *this = BuildSummary(); }

    // "4 of 45,294 games found", then each note after "; ", then the
    // missing lists by their file names, each once.
    QString text() const;

private:
    QSet<QString> games_;
    QSet<QString> found_;
    QStringList notes_;
    QStringList missingLists_;
};

// A MULTI or CONSOLE emulator comes with its list file rather than printing
// one: when that file is not there, no wait can make it appear. Gives the
// file it lacks; nothing when the file is there or the emulator prints its
// own list.
std::optional<QString> MissingListFile(const AppContext& ctx, const EmulatorDefinition& emulator);
// What the status bar says of such an emulator: the file and how to make it.
QString MissingListMessage(const QString& listName, const QString& listFile);
