#include "batch/FileCommands.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <filesystem>

#include "batch/FileSet.h"
#include "dosnames/DosCase.h"
#include "dosnames/DosWildcard.h"
#include "dosnames/ShortNames.h"
#include "platform/DosPath.h"
#include "platform/HostBounds.h"

namespace FileCommands {
namespace {

namespace stdfs = std::filesystem;

stdfs::path toPath(const QString& host) {
    return stdfs::path(QFile::encodeName(host).toStdString());
}

QString joinHost(const QString& folder, const QString& name) {
    return folder.endsWith(u'/') ? QString(folder + name) : QString(folder + u'/' + name);
}

bool sameFile(const QString& a, const QString& b) {
    std::error_code ec;
    return stdfs::equivalent(toPath(a), toPath(b), ec) && !ec;
}

// The same directory entry, links not followed: a link to a file is
// another entry than the file.
bool sameEntry(const QString& a, const QString& b) {
    std::error_code ec;
    const stdfs::file_status sa = stdfs::symlink_status(toPath(a), ec);
    if (ec || stdfs::is_symlink(sa) || stdfs::is_symlink(stdfs::symlink_status(toPath(b), ec))) {
        return a == b;
    }
    return sameFile(a, b);
}

// The host path a name takes in a folder: an existing entry of any case, as
// DOS would overwrite it, else the name as written.
QString targetIn(const DosSession& session, const QString& dosFolder, const QString& hostFolder,
                 const QString& name) {
    const QString existing = session.fs().resolve(DosPath::withTrailingBackslash(dosFolder) + name);
    return existing.isEmpty() ? joinHost(hostFolder, name) : existing;
}

// Whether a name in the folder belongs to another entry than `self`: any
// entry whose name matches ignoring case, or whose alias matches, counts, so
// that a case twin ("ABC.TXT" beside "abc.txt") is never replaced.
bool isTakenByAnother(const QString& hostFolder, const QString& name, const QString& self) {
    const QList<DosEntry> entries = DosFileSystem::listHost(hostFolder);
    QStringList names;
    for (const DosEntry& e : entries) {
        names << e.name;
    }
    const QStringList aliases = ShortNames::aliases(names);
    for (qsizetype i = 0; i < names.size(); ++i) {
        const bool named = DosCase::same(names[i], name) || DosCase::same(aliases[i], name);
        if (named && !sameEntry(joinHost(hostFolder, names[i]), self)) {
            return true;
        }
    }
    return false;
}

Outcome appendFile(const QString& from, const QString& to) {
    QFile in(from);
    QFile out(to);
    if (!in.open(QIODevice::ReadOnly)) {
        return Outcome::failure(QStringLiteral("Access denied - ") + from);
    }
    if (!out.open(QIODevice::Append)) {
        return Outcome::failure(QStringLiteral("Access denied - ") + to);
    }
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 20);
        if (chunk.isEmpty() || out.write(chunk) != chunk.size()) {
            return Outcome::failure(QStringLiteral("Write failure - ") + to);
        }
    }
    return Outcome::success();
}

// Copies content, permissions (made writable, as DOS's copy sets only the
// archive bit) and the modification time, which DOS's copy keeps.
Outcome copyFile(const QString& from, const QString& to) {
    std::error_code ec;
    const stdfs::path source = toPath(from);
    const stdfs::path target = toPath(to);
    stdfs::copy_file(source, target, stdfs::copy_options::overwrite_existing, ec);
    if (ec) {
        return Outcome::failure(QStringLiteral("Access denied - ") + to);
    }
    stdfs::permissions(target, stdfs::perms::owner_write, stdfs::perm_options::add, ec);
    const auto time = stdfs::last_write_time(source, ec);
    if (!ec) {
        stdfs::last_write_time(target, time, ec);
    }
    return Outcome::success();
}

}  // namespace

Outcome copy(BuiltinContext& ctx, const QStringList& arguments) {
    const DosSession& session = ctx.session;
    const Arguments args = Arguments::split(arguments);
    const QString badSwitch =
        args.unknownSwitch({QStringLiteral("/Y"), QStringLiteral("/-Y"), QStringLiteral("/A"),
                            QStringLiteral("/B"), QStringLiteral("/V")});
    if (!badSwitch.isEmpty()) {
        return Outcome::failure(QStringLiteral("Invalid switch - ") + badSwitch);
    }
    if (args.values.isEmpty()) {
        return Outcome::failure(QStringLiteral("Required parameter missing"));
    }
    if (args.values.size() > 2) {
        return Outcome::failure(QStringLiteral("Too many parameters - ") + args.values[2]);
    }
    for (const QString& value : args.values) {
        if (value.contains(u'+')) {
            return Outcome::failure(
                QStringLiteral("Combining files with + is not supported by brivanel-batch"));
        }
    }

    const FileSet source = FileSet::expand(session, args.values[0]);
    if (source.problem == FileSet::Problem::InvalidDrive) {
        return Outcome::failure(source.problemText());
    }
    QList<FileSet::Entry> files;
    if (!source.wildcard && source.entries.size() == 1 && source.entries[0].isDirectory) {
        // "copy DIR DEST" copies the files of DIR.
        files = matchingEntries(source.entries[0].host, QStringLiteral("*.*"), false);
    } else {
        files = source.entries;
    }
    files.removeIf([](const FileSet::Entry& e) { return e.isDirectory; });
    if (files.isEmpty()) {
        return Outcome::failure(QStringLiteral("File not found - ") + args.values[0]);
    }

    const QString destTyped = args.values.size() > 1 ? args.values[1] : QStringLiteral(".");
    const QString destDos = session.absolute(destTyped);
    const QString error = driveError(session, destDos);
    if (!error.isEmpty()) {
        return Outcome::failure(error);
    }
    const QString destHost = session.fs().resolve(destDos);
    const bool intoFolder = !destHost.isEmpty() && QFileInfo(destHost).isDir();
    const QString destFolderDos = intoFolder ? destDos : DosPath::directoryPart(destDos);
    const QString destFolder = intoFolder ? destHost : session.fs().resolve(destFolderDos);
    if (destFolder.isEmpty() || !QFileInfo(destFolder).isDir() ||
        (!intoFolder && destTyped.endsWith(u'\\'))) {
        return Outcome::failure(QStringLiteral("Path not found - ") + destTyped);
    }
    const QString destPattern = DosPath::fileNamePart(destDos);
    const bool renaming = !intoFolder && DosWildcard::hasWildcards(destPattern);

    OutcomeList outcomes;
    int copied = 0;
    QString concatenatingInto;
    const bool joining = !intoFolder && !renaming && files.size() > 1;
    const QString joinTarget = destHost.isEmpty() ? session.fs().hostPath(destDos) : destHost;
    if (joining) {
        const auto among = std::find_if(files.begin(), files.end(), [&](const FileSet::Entry& f) {
            return sameFile(f.host, joinTarget);
        });
        if (among != files.begin() && among != files.end()) {
            // DOS goes on with "Content of destination lost before copy";
            // nothing is written here, so the file keeps what it holds.
            return Outcome::failure(
                QStringLiteral("Content of destination lost before copy - %1; nothing copied")
                    .arg(among->name));
        }
        if (among == files.begin()) {
            // The destination is the first of its sources: it keeps its
            // content and the others are appended, as DOS does.
            concatenatingInto = joinTarget;
            files.removeFirst();
            ++copied;
        }
    }
    const DriveMap& drives = session.fs().drives();
    for (const FileSet::Entry& file : files) {
        QString target;
        if (intoFolder) {
            target = targetIn(session, destFolderDos, destFolder, file.name);
        } else if (renaming) {
            target = targetIn(session, destFolderDos, destFolder,
                              DosWildcard::applyRenamePattern(destPattern, file.name));
        } else {
            target = joinTarget;
        }
        const QString outside =
            HostBounds::refusalToWrite(drives, target, QFileInfo(target).fileName());
        if (!outside.isEmpty()) {
            outcomes.add(Outcome::failure(outside));
            continue;
        }
        if (sameFile(file.host, target)) {
            if (!concatenatingInto.isEmpty()) {
                continue;  // the target among its own sources keeps its place
            }
            outcomes.add(Outcome::failure(QStringLiteral("File cannot be copied onto itself - ") +
                                          file.name));
            continue;
        }
        // Several files into one file: DOS joins them.
        const bool append = !intoFolder && !renaming && !concatenatingInto.isEmpty();
        const Outcome one = append ? appendFile(file.host, target) : copyFile(file.host, target);
        outcomes.add(one);
        if (one.ok) {
            ++copied;
            if (!intoFolder && !renaming) {
                concatenatingInto = target;
            }
        }
    }
    outcomes.add(Outcome::success(QString::number(copied) + QStringLiteral(" file(s) copied")));
    return outcomes.result();
}

Outcome ren(BuiltinContext& ctx, const QStringList& arguments) {
    const DosSession& session = ctx.session;
    const Arguments args = Arguments::split(arguments);
    if (args.values.size() < 2) {
        return Outcome::failure(QStringLiteral("Required parameter missing"));
    }
    if (args.values.size() > 2) {
        return Outcome::failure(QStringLiteral("Too many parameters - ") + args.values[2]);
    }
    const QString newName = args.values[1];
    if (newName.contains(u'\\') || newName.contains(u'/') || newName.contains(u':') ||
        newName == u"." || newName == u"..") {
        // The new name is a name: ren never moves a file.
        return Outcome::failure(QStringLiteral("Invalid parameter - ") + newName);
    }
    const QString notFound = QStringLiteral("Duplicate file name or file not found");
    const FileSet source = FileSet::expand(session, args.values[0]);
    if (source.problem == FileSet::Problem::InvalidDrive) {
        return Outcome::failure(source.problemText());
    }
    QList<FileSet::Entry> entries = source.entries;
    if (source.wildcard) {
        entries.removeIf([](const FileSet::Entry& e) { return e.isDirectory; });
    }
    if (entries.isEmpty() || DosPath::components(source.dosPath).isEmpty()) {
        return Outcome::failure(notFound);
    }
    OutcomeList outcomes;
    for (const FileSet::Entry& entry : entries) {
        const QString target = DosWildcard::applyRenamePattern(newName, entry.name);
        if (target.isEmpty() || target == entry.name) {
            continue;
        }
        // Another file of that name (any case, or that 8.3 alias) is in the
        // way; the same file under another case is only a change of case.
        if (isTakenByAnother(source.hostFolder, target, entry.host)) {
            outcomes.add(Outcome::failure(notFound + QStringLiteral(" - ") + target));
            continue;
        }
        const QString outside =
            HostBounds::refusalToDelete(session.fs().drives(), entry.host, entry.name);
        if (!outside.isEmpty()) {
            outcomes.add(Outcome::failure(outside));
            continue;
        }
        std::error_code ec;
        stdfs::rename(toPath(entry.host), toPath(joinHost(source.hostFolder, target)), ec);
        if (ec) {
            outcomes.add(Outcome::failure(QStringLiteral("Access denied - ") + entry.name));
        }
    }
    return outcomes.result();
}

}  // namespace FileCommands
