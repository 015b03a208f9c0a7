#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class DosFileSystem;
struct stat;

// What the walk is looking at: handed to the progress callback for every
// entry of a folder before the entry is examined.
class WalkStep {
public:
    WalkStep(const QString& folder, std::string_view hostName, qsizetype collected)
        : folder_(folder), hostName_(hostName), collected_(collected) {}
    // The DOS folder being listed, as walked (not upper-cased), with its "\".
    const QString& folder() const { return folder_; }
    QString name() const;
    // "Building List: " + folder + name + "..."
    QString statusText() const;
    // How many files the walk has collected so far.
    qsizetype collected() const { return collected_; }

private:
    const QString& folder_;
    std::string_view hostName_;
    qsizetype collected_;
};

// The recursive walk that collects files by name fragment: depth first, the
// entries of each folder in byte order of their host names. Names beginning
// with "." (hidden and system in the DOS view) are neither collected nor
// entered. A collected file's DOS path (the folder as given, plus the path
// below it) is appended upper-cased to what the walker found, and the file is made
// archive only (writable), except BRIVANEL.EXE, which keeps its attributes.
// Folders that cannot be read, and symbolic links that do not lead to a
// file or folder, are passed over without a message; a folder reached a
// second time within one walk (a symbolic-link loop) is not entered again.
class DirectoryWalker {
public:
    using Progress = std::function<void(const WalkStep&)>;

    // `wantedSuffixes` are upper-case fragments; a file is collected when its
    // upper-cased name contains one of them anywhere.
    DirectoryWalker(const DosFileSystem& fs, const QStringList& wantedSuffixes,
                    Progress progress = {});

    // Walks a DOS folder ("C:", "D:\GAMES"), used as given; a folder that
    // does not map to an existing host folder yields nothing.
    void WalkDirectory(const QString& dosFolder);
    // Walks a host folder whose DOS name is `dosFolder`.
    void WalkHostDirectory(const QString& hostFolder, const QString& dosFolder);

    // What the walks of this walker collected, in walk order.
    const QStringList& found() const { return found_; }
    QStringList takeFound() { return std::move(found_); }

private:
    struct Fragment {
        QString text;
        std::string ascii;  // the same bytes when the fragment is plain ASCII
        bool isAscii = false;
    };

    void walk(int folderFd, int depth);
    void enter(int parentFd, const char* name, int depth);
    // `known` is the file's status when the walk already has it.
    void consider(int folderFd, const char* name, std::string_view hostName,
                  const struct stat* known);
    // Fills the upper-cased name and tells whether a fragment is contained in it.
    bool wanted(std::string_view hostName);

    const DosFileSystem& fs_;
    std::vector<Fragment> fragments_;
    QStringList found_;
    Progress progress_;
    QString folder_;       // the folder being listed, as shown
    QString upperFolder_;  // the same upper-cased: the prefix of collected paths
    // The upper-cased name of the file being considered: bytes for an ASCII
    // name, text otherwise.
    bool upperIsAscii_ = true;
    std::string upperAscii_;
    QString upperText_;
    std::set<std::pair<unsigned long long, unsigned long long>> visited_;  // device, inode
};
