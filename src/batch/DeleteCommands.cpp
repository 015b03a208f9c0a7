#include "batch/DeleteCommands.h"

#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <utility>
#include <vector>

#include "batch/FileSet.h"
#include "platform/HostBounds.h"

namespace DeleteCommands {
namespace {

namespace stdfs = std::filesystem;

QString fromPath(const stdfs::path& path) {
    return QFile::decodeName(path.c_str());
}

bool isReadOnly(const QString& host) {
    return !QFileInfo(host).permission(QFileDevice::WriteOwner);
}

}  // namespace

QString removeTree(const QString& hostPath) {
    std::error_code ec;
    const stdfs::path root(QFile::encodeName(hostPath).toStdString());
    const stdfs::file_status top = stdfs::symlink_status(root, ec);
    if (ec) {
        return hostPath + QStringLiteral(": ") + QString::fromStdString(ec.message());
    }
    if (!stdfs::is_directory(top)) {
        stdfs::remove(root, ec);
        return ec ? hostPath + QStringLiteral(": ") + QString::fromStdString(ec.message())
                  : QString();
    }
    // Depth first without recursion; a folder is removed once it is emptied.
    QString firstError;
    const auto record = [&firstError](const stdfs::path& path, const std::error_code& error) {
        if (firstError.isEmpty()) {
            firstError =
                fromPath(path) + QStringLiteral(": ") + QString::fromStdString(error.message());
        }
    };
    std::vector<std::pair<stdfs::path, bool>> stack{{root, false}};
    while (!stack.empty()) {
        if (stack.back().second) {
            const stdfs::path done = stack.back().first;
            stack.pop_back();
            if (!stdfs::remove(done, ec) && ec) {
                record(done, ec);
            }
            continue;
        }
        stack.back().second = true;
        const stdfs::path folder = stack.back().first;
        // A read-only folder would keep its entries.
        stdfs::permissions(folder, stdfs::perms::owner_all, stdfs::perm_options::add, ec);
        std::vector<std::pair<stdfs::path, bool>> entries;
        for (stdfs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            std::error_code statError;
            entries.emplace_back(it->path(), stdfs::is_directory(it->symlink_status(statError)));
        }
        if (ec) {
            record(folder, ec);
        }
        for (const auto& [path, isFolder] : entries) {
            if (isFolder) {
                stack.emplace_back(path, false);
            } else if (!stdfs::remove(path, ec) && ec) {
                record(path, ec);
            }
        }
    }
    return firstError;
}

Outcome del(BuiltinContext& ctx, const QStringList& arguments) {
    const Arguments args = Arguments::split(arguments);
    const QString badSwitch = args.unknownSwitch({QStringLiteral("/P"), QStringLiteral("/Q")});
    if (!badSwitch.isEmpty()) {
        return Outcome::failure(QStringLiteral("Invalid switch - ") + badSwitch);
    }
    if (args.values.isEmpty()) {
        return Outcome::failure(QStringLiteral("Required parameter missing"));
    }
    OutcomeList outcomes;
    for (const QString& typed : args.values) {
        const FileSet set = FileSet::expand(ctx.session, typed);
        if (set.problem != FileSet::Problem::None) {
            outcomes.add(Outcome::failure(set.problemText() + QStringLiteral(" - ") + typed));
            continue;
        }
        QList<FileSet::Entry> files = set.entries;
        QString refusal = set.wildcard
                              ? ctx.guard.refusalToDeleteMatching(set.hostFolder, set.pattern)
                              : QString();
        if (!set.wildcard && files.size() == 1 && files[0].isDirectory) {
            if (QFileInfo(files[0].host).isSymLink()) {
                // DOS would empty the folder; here a link is never followed
                // by a deletion, as the folder may lie anywhere.
                outcomes.add(Outcome::failure(QStringLiteral("Access denied - %1 is a link to a "
                                                             "folder, which del does not follow")
                                                  .arg(typed)));
                continue;
            }
            // "del DIR" deletes the files in DIR.
            refusal = ctx.guard.refusalToEmpty(files[0].host);
            files = matchingEntries(files[0].host, QStringLiteral("*.*"), false);
        }
        if (!refusal.isEmpty()) {
            outcomes.add(Outcome::failure(refusal));
            continue;
        }
        files.removeIf([](const FileSet::Entry& e) { return e.isDirectory; });
        if (files.isEmpty()) {
            outcomes.add(Outcome::failure(QStringLiteral("File not found - ") + typed));
            continue;
        }
        const DriveMap& drives = ctx.session.fs().drives();
        for (const FileSet::Entry& file : files) {
            const QString outside = HostBounds::refusalToDelete(drives, file.host, file.name);
            if (!outside.isEmpty()) {
                outcomes.add(Outcome::failure(outside));
            } else if (isReadOnly(file.host) || !QFile::remove(file.host)) {
                outcomes.add(Outcome::failure(QStringLiteral("Access denied - ") + file.name));
            }
        }
    }
    return outcomes.result();
}

Outcome deltree(BuiltinContext& ctx, const QStringList& arguments) {
    const Arguments args = Arguments::split(arguments);
    const QString badSwitch = args.unknownSwitch({QStringLiteral("/Y")});
    if (!badSwitch.isEmpty()) {
        return Outcome::failure(QStringLiteral("Invalid switch - ") + badSwitch);
    }
    if (args.values.isEmpty()) {
        return Outcome::failure(QStringLiteral("Required parameter missing"));
    }
    if (!args.switches.contains(u"/Y")) {
        return Outcome::failure(
            QStringLiteral("Nothing deleted: without /Y deltree asks first, and no one can answer "
                           "in a script"));
    }
    OutcomeList outcomes;
    for (const QString& typed : args.values) {
        // Hidden and system files go as well, as with DOS's deltree.
        const FileSet set = FileSet::expand(ctx.session, typed, true);
        if (set.problem == FileSet::Problem::InvalidDrive) {
            outcomes.add(Outcome::failure(set.problemText() + QStringLiteral(" - ") + typed));
            continue;
        }
        if (set.wildcard && set.problem == FileSet::Problem::None) {
            const QString refusal = ctx.guard.refusalToDeleteMatching(set.hostFolder, set.pattern);
            if (!refusal.isEmpty()) {
                outcomes.add(Outcome::failure(refusal));
                continue;
            }
        }
        // Nothing there is nothing to do, as with DOS's deltree; the clean-up
        // lines of a launch often name files the emulator never needed.
        if (set.entries.isEmpty()) {
            outcomes.add(Outcome::success(QStringLiteral("nothing to delete - ") + typed));
            continue;
        }
        for (const FileSet::Entry& entry : set.entries) {
            QString refusal = ctx.guard.refusalToRemove(entry.host);
            if (refusal.isEmpty()) {
                refusal =
                    HostBounds::refusalToDelete(ctx.session.fs().drives(), entry.host, entry.name);
            }
            if (!refusal.isEmpty()) {
                outcomes.add(Outcome::failure(refusal));
                continue;
            }
            const QString error = removeTree(entry.host);
            if (!error.isEmpty()) {
                outcomes.add(Outcome::failure(QStringLiteral("Access denied - ") + error));
            }
        }
    }
    return outcomes.result();
}

}  // namespace DeleteCommands
