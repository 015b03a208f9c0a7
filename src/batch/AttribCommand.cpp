#include "batch/AttribCommand.h"

#include <QFileInfo>
#include <optional>
#include <vector>

#include "batch/FileSet.h"
#include "dosnames/DosWildcard.h"
#include "platform/DosPath.h"
#include "platform/HostBounds.h"

namespace AttribCommand {
namespace {

struct Request {
    std::optional<bool> readOnly;  // nothing: leave as it is
    bool otherAttributes = false;  // +A, -H, ...: nothing on the host stands for them
    bool subfolders = false;
    QStringList paths;
    QString error;
};

Request parse(const QStringList& words) {
    Request request;
    for (const QString& word : words) {
        const QString upper = word.toUpper();
        if (upper.size() == 2 && (upper[0] == u'+' || upper[0] == u'-') &&
            QStringView(u"RAHS").contains(upper[1])) {
            if (upper[1] == u'R') {
                request.readOnly = upper[0] == u'+';
            } else {
                request.otherAttributes = true;
            }
        } else if (upper == u"/S") {
            request.subfolders = true;
        } else if (upper.startsWith(u'/')) {
            request.error = QStringLiteral("Invalid switch - ") + word;
        } else if (upper.startsWith(u'+') || upper.startsWith(u'-')) {
            request.error = QStringLiteral("Invalid parameter - ") + word;
        } else {
            request.paths << word;
        }
    }
    if (request.paths.isEmpty()) {
        request.paths << QStringLiteral("*.*");
    }
    return request;
}

// The folder and every folder below it, links to folders left alone so that
// the walk stays inside the tree and ends.
QStringList foldersBelow(const QString& hostFolder) {
    QStringList out;
    std::vector<QString> pending{hostFolder};
    while (!pending.empty()) {
        const QString folder = pending.back();
        pending.pop_back();
        out << folder;
        for (const DosEntry& e : DosFileSystem::listHost(folder)) {
            const QString path = folder + u'/' + e.name;
            if (e.isDirectory && !QFileInfo(path).isSymLink()) {
                pending.push_back(path);
            }
        }
    }
    return out;
}

bool apply(const QString& host, bool readOnly) {
    QFileInfo info(host);
    QFileDevice::Permissions permissions = info.permissions();
    if (readOnly) {
        permissions &= ~(QFileDevice::WriteOwner | QFileDevice::WriteUser |
                         QFileDevice::WriteGroup | QFileDevice::WriteOther);
    } else {
        permissions |= QFileDevice::WriteOwner | QFileDevice::WriteUser;
    }
    return QFile::setPermissions(host, permissions);
}

}  // namespace

Outcome attrib(BuiltinContext& ctx, const QStringList& arguments) {
    const Request request = parse(arguments);
    if (!request.error.isEmpty()) {
        return Outcome::failure(request.error);
    }
    const DosSession& session = ctx.session;
    const bool clearsTree = request.subfolders && request.readOnly == false;
    OutcomeList outcomes;
    for (const QString& typed : request.paths) {
        const QString dos = session.absolute(typed);
        const QString error = driveError(session, dos);
        if (!error.isEmpty()) {
            outcomes.add(Outcome::failure(error));
            continue;
        }
        const QStringList parts = DosPath::components(dos);
        const QString pattern = parts.isEmpty() ? QStringLiteral("*.*") : parts.last();
        const QString folder =
            session.fs().resolve(parts.isEmpty() ? dos : DosPath::directoryPart(dos));
        if (folder.isEmpty()) {
            outcomes.add(Outcome::failure(QStringLiteral("Path not found - ") + typed));
            continue;
        }
        const bool wildcard = DosWildcard::hasWildcards(pattern);
        const QStringList folders = request.subfolders ? foldersBelow(folder) : QStringList{folder};
        int count = 0;
        for (const QString& each : folders) {
            for (const FileSet::Entry& entry : matchingEntries(each, pattern, true)) {
                // Wildcards reach folders only for "-R /S": a folder the host
                // will not write to keeps its files from being replaced or
                // deleted, which is what clearing read-only over a tree is for.
                if (entry.isDirectory && wildcard && !clearsTree) {
                    continue;
                }
                ++count;
                if (request.readOnly.has_value()) {
                    const QString outside =
                        HostBounds::refusalToWrite(session.fs().drives(), entry.host, entry.name);
                    if (!outside.isEmpty()) {
                        outcomes.add(Outcome::failure(outside));
                        continue;
                    }
                    // DOS ignores read-only on folders; the host would lock their content.
                    if ((!entry.isDirectory || !*request.readOnly) &&
                        !apply(entry.host, *request.readOnly)) {
                        outcomes.add(
                            Outcome::failure(QStringLiteral("Access denied - ") + entry.name));
                    }
                } else if (!request.otherAttributes) {
                    const bool ro = !QFileInfo(entry.host).permission(QFileDevice::WriteOwner);
                    const QString line =
                        QStringLiteral("  %1  %2\r\n")
                            .arg(ro ? QStringLiteral("R") : QStringLiteral(" "),
                                 session.dosFormOnDrive(DosPath::driveLetter(dos), entry.host));
                    ctx.out.write(line.toUtf8());
                }
            }
        }
        if (count == 0) {
            outcomes.add(Outcome::failure(QStringLiteral("File not found - ") + typed));
        }
    }
    return outcomes.result();
}

}  // namespace AttribCommand
