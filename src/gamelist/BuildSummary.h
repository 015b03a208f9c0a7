#pragma once

#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

class AppContext;
struct EmulatorDefinition;

// What a list build tells the user when it ends: how many of the games it
// handled were found, and what it could not do on the way (an emulator left
// out, a path where nothing was found). A game that two emulators list is
// one game.
class BuildSummary {
public:
    void countGame(const QString& fullName, bool found);
    void addNote(const QString& note) { notes_ << note; }
    void clear() { *this = BuildSummary(); }

    // "4 of 45,294 games found", then each note after "; ".
    QString text() const;

private:
    QSet<QString> games_;
    QSet<QString> found_;
    QStringList notes_;
};

// A MULTI or CONSOLE emulator comes with its list file rather than printing
// one: when that file is not there, no wait can make it appear. The note
// names the file and how to make it; nothing when the file is there or the
// emulator prints its own list.
std::optional<QString> MissingListFileNote(const AppContext& ctx,
                                           const EmulatorDefinition& emulator);
