#include "batch/DirectoryCommands.h"

#include <QDir>
#include <QFileInfo>

#include "batch/FileSet.h"
#include "platform/DosPath.h"
#include "platform/HostBounds.h"

namespace DirectoryCommands {
namespace {

// Acts on the absolute form of each path argument; an unmapped drive fails
// that path alone.
template <typename Act>
Outcome forEachPath(const DosSession& session, const QStringList& arguments, Act act) {
    const Arguments args = Arguments::split(arguments);
    if (args.values.isEmpty()) {
        return Outcome::failure(QStringLiteral("Required parameter missing"));
    }
    OutcomeList outcomes;
    for (const QString& typed : args.values) {
        const QString dos = session.absolute(typed);
        const QString error = driveError(session, dos);
        outcomes.add(error.isEmpty() ? act(typed, dos) : Outcome::failure(error));
    }
    return outcomes.result();
}

}  // namespace

Outcome changeDrive(DosSession& session, QChar drive) {
    if (!session.isMapped(drive) || !QFileInfo(session.fs().drives().hostRoot(drive)).isDir()) {
        return Outcome::failure(invalidDriveText());
    }
    session.setDrive(drive);
    // The drive's directory may have been removed since; DOS would fall back
    // to the root as well.
    if (session.currentHostDirectory().isEmpty()) {
        session.setDirectory(QString(drive.toUpper()) + u":\\");
    }
    return Outcome::success();
}

Outcome cd(BuiltinContext& ctx, const QStringList& arguments) {
    DosSession& session = ctx.session;
    const Arguments args = Arguments::split(arguments);
    const QString badSwitch = args.unknownSwitch({});
    if (!badSwitch.isEmpty()) {
        return Outcome::failure(QStringLiteral("Invalid switch - ") + badSwitch);
    }
    if (args.values.size() > 1) {
        return Outcome::failure(QStringLiteral("Too many parameters - ") + args.values[1]);
    }
    if (args.values.isEmpty() ||
        (args.values[0].size() == 2 && DosPath::hasDrive(args.values[0]))) {
        // "cd" and "cd D:" show the directory.
        const QChar drive =
            args.values.isEmpty() ? session.drive() : DosPath::driveLetter(args.values[0]);
        if (!session.isMapped(drive)) {
            return Outcome::failure(invalidDriveText());
        }
        ctx.out.write((session.directory(drive) + u"\r\n").toUtf8());
        return Outcome::success();
    }
    const QString dos = session.absolute(args.values[0]);
    const QString error = driveError(session, dos);
    if (!error.isEmpty()) {
        return Outcome::failure(error);
    }
    const QString host = session.fs().resolve(dos);
    if (host.isEmpty() || !QFileInfo(host).isDir()) {
        return Outcome::failure(QStringLiteral("Invalid directory"));
    }
    session.setDirectory(session.dosFormOnDrive(DosPath::driveLetter(dos), host));
    return Outcome::success();
}

Outcome md(BuiltinContext& ctx, const QStringList& arguments) {
    const DosFileSystem& fs = ctx.session.fs();
    return forEachPath(ctx.session, arguments, [&fs](const QString& typed, const QString& dos) {
        const QString outside = HostBounds::refusalToWrite(fs.drives(), fs.hostPath(dos), typed);
        if (!outside.isEmpty()) {
            return Outcome::failure(outside);
        }
        // One level only, and never over an existing name of any case.
        if (fs.exists(dos) || DosPath::components(dos).isEmpty() ||
            !QDir().mkdir(fs.hostPath(dos))) {
            return Outcome::failure(QStringLiteral("Unable to create directory - ") + typed);
        }
        return Outcome::success();
    });
}

Outcome rd(BuiltinContext& ctx, const QStringList& arguments) {
    const DosFileSystem& fs = ctx.session.fs();
    return forEachPath(ctx.session, arguments, [&fs](const QString& typed, const QString& dos) {
        const QString host = fs.resolve(dos);
        const QFileInfo info(host);
        const QString outside =
            host.isEmpty() ? QString() : HostBounds::refusalToDelete(fs.drives(), host, typed);
        if (!outside.isEmpty()) {
            return Outcome::failure(outside);
        }
        // rmdir removes nothing but an empty folder, so no other guard is needed.
        if (host.isEmpty() || DosPath::components(dos).isEmpty() || !info.isDir() ||
            info.isSymLink() || !QDir().rmdir(host)) {
            return Outcome::failure(
                QStringLiteral("Invalid path, not directory, or directory not empty - ") + typed);
        }
        return Outcome::success();
    });
}

}  // namespace DirectoryCommands
