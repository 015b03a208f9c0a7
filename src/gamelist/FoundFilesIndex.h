#pragma once

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

// The ROM lookups of a list build ask the found-files list for every path
// that contains "\" + ROM name + "." - once or more per game, on lists of a
// million paths. The index answers those questions exactly as the plain
// substring scan does (all matches, in list order) without scanning: it
// knows, for every "\NAME." that occurs in a path, the positions of the
// paths holding it. Other texts fall back to the scan.
class FoundFilesIndex {
public:
    // Indexes `files` unless this very list (shared data, same size) is
    // indexed already. The index keeps a shared copy of the list, so any
    // change to the original detaches it and is seen here as a new list.
    void update(const QStringList& files);

    // Every path containing `name` upper-cased, in list order.
    QStringList findAll(const QString& name) const;
    // The paths containing "\" + romName + ".", as the ROM search asks.
    QStringList romCandidates(const QString& romName) const;

    const QStringList& files() const { return files_; }
    // How often a list was indexed: once per list, however often asked.
    int builds() const { return builds_; }

private:
    static QStringList scan(const QStringList& files, const QString& key);

    QStringList files_;
    // (hash of a "\NAME." key, position of a path holding it), sorted, so
    // that the positions of one key lie together in list order.
    std::vector<std::pair<size_t, int>> keys_;
    int builds_ = 0;
};
