#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>

class DosFileSystem;
class EmulatorTable;
class StatusLine;

// Lookups in the found-files list (and in the picture index): upper-case
// substring tests, the first entry in list order winning.

// First-match mode: the first entry containing the upper-cased name, or "".
// All-matches mode: every such entry joined by CR, no trailing CR.
QString FindInFoundFiles(const QStringList& list, const QString& name, bool firstMatch);

// The first path of the found-files list that contains `name`; nothing when
// there is none (also before any search: it never walks the disk itself).
std::optional<QString> LocateExecutable(const QStringList& foundFiles, const QString& name);

// The found-files list of the run: the upper-case DOS paths the last drive
// search found. The list build and File Locations search the drives into it
// and look their files up in it; it outlives a list build, since Add to list
// and File Locations use it again.
class FoundFiles : public QObject {
    Q_OBJECT
public:
    explicit FoundFiles(QObject* parent = nullptr);

    const QStringList& paths() const { return paths_; }
    bool isEmpty() const { return paths_.isEmpty(); }
    std::optional<QString> LocateExecutable(const QString& name) const {
        return ::LocateExecutable(paths_, name);
    }

    // Replaces the list by a new search of `drives` for what the emulators'
    // games and the tools may be, the program folder (long DOS form) after
    // them when they do not reach it; the progress shows in the status bar.
    void SearchDrives(const DosFileSystem& fs, const EmulatorTable& emulators,
                      const QString& drives, StatusLine& status, const QString& programFolder);
    void Replace(QStringList paths) { paths_ = std::move(paths); }
    void Clear() { paths_.clear(); }

private:
    QStringList paths_;
};
