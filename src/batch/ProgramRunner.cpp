#include "batch/ProgramRunner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "batch/ArgumentTranslator.h"
#include "batch/FileSet.h"
#include "platform/DosPath.h"

namespace {

// Wine's own drives; a prefix not made yet will have Z: for "/" like every prefix.
DriveMap wineDrives() {
    QString prefix = qEnvironmentVariable("WINEPREFIX");
    if (prefix.isEmpty()) {
        prefix = QDir::homePath() + u"/.wine";
    }
    DriveMap map = DriveMap::fromDosDevices(prefix + u"/dosdevices");
    if (map.isEmpty()) {
        map.set(u'Z', QStringLiteral("/"));
    }
    return map;
}

Outcome missingTool(const ProgramRunner::Program& program, const QString& kind, QStringView tool) {
    return Outcome::failure(QStringLiteral("%1 is %2 and %3 is not installed (no \"%3\" on PATH)")
                                .arg(program.typed, kind, tool));
}

QString quoteForDosbox(const QString& text) {
    return u'"' + text + u'"';
}

}  // namespace

ProgramRunner::Program ProgramRunner::find(const QString& word) const {
    Program program;
    program.typed = word;
    const QString dos = session_.absolute(word);
    program.error = driveError(session_, dos);
    if (!program.error.isEmpty()) {
        return program;
    }
    const QString name = DosPath::fileNamePart(word);
    if (name.isEmpty() || name == u"." || name == u"..") {
        program.error = QStringLiteral("Bad command or file name - ") + word;
        return program;
    }
    QStringList candidates;
    if (DosPath::extension(word).isEmpty()) {
        candidates << dos + u".COM" << dos + u".EXE" << dos + u".BAT";
    }
    candidates << dos;
    for (const QString& candidate : candidates) {
        const QString host = session_.fs().resolve(candidate);
        if (!host.isEmpty() && QFileInfo(host).isFile()) {
            program.dosPath = candidate;
            program.hostPath = host;
            program.kind = ExecutableKind::inspect(host);
            return program;
        }
    }
    program.error = QStringLiteral("Bad command or file name - ") + word;
    return program;
}

QStringList ProgramRunner::wineArguments(const Program& program,
                                         const QStringList& arguments) const {
    const DosFileSystem wine(wineDrives());
    QStringList out{program.hostPath};
    for (const QString& argument : arguments) {
        out << ArgumentTranslator::toWine(session_.fs(), wine, argument);
    }
    return out;
}

QStringList ProgramRunner::dosboxArguments(const Program& program, const QStringList& arguments,
                                           const CommandLine::Redirection& output) const {
    QStringList out;
    for (const auto& [letter, root] : session_.fs().drives().roots()) {
        out << QStringLiteral("-c")
            << QStringLiteral("mount %1 %2").arg(letter, quoteForDosbox(root));
    }
    const QString directory = session_.fs().ShortPath(session_.currentDirectory());
    QString line = session_.fs().ShortPath(program.dosPath);
    for (const QString& argument : arguments) {
        line += u' ' + (argument.contains(u' ') ? quoteForDosbox(argument) : argument);
    }
    if (!output.target.isEmpty()) {
        line += (output.append ? u" >> " : u" > ") + session_.absolute(output.target);
    }
    out << QStringLiteral("-c") << directory.left(2) << QStringLiteral("-c")
        << u"cd " + (directory.size() > 2 ? directory.mid(2) : QStringLiteral("\\"))
        << QStringLiteral("-c") << line << QStringLiteral("-c") << QStringLiteral("exit");
    return out;
}

Outcome ProgramRunner::invocationFor(const Program& program, const QStringList& arguments,
                                     const CommandLine::Redirection& output,
                                     Invocation& out) const {
    const ExecutableKind& kind = program.kind;
    switch (kind.kind) {
        case ExecutableKind::Native:
        case ExecutableKind::Script: {
            QStringList translated;
            for (const QString& argument : arguments) {
                translated << ArgumentTranslator::toHost(session_.fs(), argument);
            }
            if (kind.executable) {
                out = {program.hostPath, translated};
                return Outcome::success();
            }
            if (kind.kind == ExecutableKind::Script && !kind.interpreter.isEmpty()) {
                QStringList list;
                if (!kind.interpreterArgument.isEmpty()) {
                    list << kind.interpreterArgument;
                }
                out = {kind.interpreter, list << program.hostPath << translated};
                return Outcome::success();
            }
            return Outcome::failure(program.typed +
                                    QStringLiteral(" cannot be run: it is not marked executable"));
        }
        case ExecutableKind::Windows: {
            const QString wine = QStandardPaths::findExecutable(QStringLiteral("wine"));
            if (wine.isEmpty()) {
                return missingTool(program, QStringLiteral("a Windows program"), u"wine");
            }
            out = {wine, wineArguments(program, arguments)};
            return Outcome::success();
        }
        case ExecutableKind::Dos: {
            const QString dosbox = QStandardPaths::findExecutable(QStringLiteral("dosbox"));
            if (dosbox.isEmpty()) {
                return missingTool(program, QStringLiteral("a DOS program"), u"dosbox");
            }
            // DOSBox writes the program's output itself, into the DOS path.
            out = {dosbox, dosboxArguments(program, arguments, output), false};
            return Outcome::success();
        }
        case ExecutableKind::Batch:
        case ExecutableKind::Unknown:
            break;
    }
    return Outcome::failure(program.typed + QStringLiteral(" cannot be run: it is not a program"));
}

Outcome ProgramRunner::run(const Program& program, const QStringList& arguments,
                           const CommandLine::Redirection& output, const QString& input) const {
    Invocation invocation;
    const Outcome prepared = invocationFor(program, arguments, output, invocation);
    if (!prepared.ok) {
        return prepared;
    }
    const QString workingFolder = session_.currentHostDirectory();
    if (workingFolder.isEmpty()) {
        return Outcome::failure(QStringLiteral("Invalid directory - ") +
                                session_.currentDirectory());
    }
    QProcess process;
    process.setProgram(invocation.program);
    process.setArguments(invocation.arguments);
    process.setWorkingDirectory(workingFolder);
    // A program started from here starts its own scripts on the same drives.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("BRIVANEL_DRIVES"), session_.fs().drives().toString());
    process.setProcessEnvironment(environment);

    if (!input.isEmpty()) {
        const QString dos = session_.absolute(input);
        const QString error = driveError(session_, dos);
        const QString host = error.isEmpty() ? session_.fs().resolve(dos) : QString();
        if (host.isEmpty()) {
            return Outcome::failure(error.isEmpty() ? QStringLiteral("File not found - ") + input
                                                    : error);
        }
        process.setStandardInputFile(host);
    } else {
        // Nobody is there to answer a program that asks: it reads end of file
        // instead of waiting for ever.
        process.setStandardInputFile(QProcess::nullDevice());
    }
    if (!output.target.isEmpty() && invocation.redirectOutput) {
        const QString dos = session_.absolute(output.target);
        const QString error = driveError(session_, dos);
        if (!error.isEmpty()) {
            return Outcome::failure(error);
        }
        const QString host = session_.fs().hostPath(dos);
        QFile file(host);
        if (!file.open(output.append ? QIODevice::Append : QIODevice::WriteOnly)) {
            return Outcome::failure(QStringLiteral("File creation error - ") + output.target);
        }
        file.close();
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.setStandardOutputFile(host, QIODevice::Append);
    } else {
        process.setProcessChannelMode(QProcess::ForwardedChannels);
    }

    process.start();
    if (!process.waitForStarted(-1)) {
        return Outcome::failure(program.typed + QStringLiteral(" could not be started: ") +
                                process.errorString());
    }
    process.waitForFinished(-1);
    if (process.exitStatus() == QProcess::CrashExit) {
        return Outcome::failure(program.typed + QStringLiteral(" was ended by a signal"));
    }
    if (process.exitCode() != 0) {
        return Outcome::failure(QStringLiteral("exit status ") +
                                QString::number(process.exitCode()));
    }
    return Outcome::success();
}
