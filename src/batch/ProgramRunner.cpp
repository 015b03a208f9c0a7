#include "batch/ProgramRunner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <cstdio>

#include "batch/ArgumentTranslator.h"
#include "batch/DosboxLine.h"
#include "batch/FileSet.h"
#include "batch/LastOutputLine.h"
#include "platform/DosPath.h"
#include "platform/HostBounds.h"

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

// Copies what a program wrote to its error output on to this program's own,
// and returns its last line.
QString passOnErrorOutput(QFile& errors) {
    LastOutputLine said;
    errors.seek(0);
    for (QByteArray chunk = errors.read(65536); !chunk.isEmpty(); chunk = errors.read(65536)) {
        std::fwrite(chunk.constData(), 1, size_t(chunk.size()), stderr);
        said.add(chunk);
    }
    std::fflush(stderr);
    return said.text();
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

Outcome ProgramRunner::invocationFor(const Program& program, const QStringList& arguments,
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
        case ExecutableKind::Dos:  // see runDos
        case ExecutableKind::Batch:
        case ExecutableKind::Unknown:
            break;
    }
    return Outcome::failure(program.typed + QStringLiteral(" cannot be run: it is not a program"));
}

Outcome ProgramRunner::inputFile(const QString& input, QString& host) const {
    const QString dos = session_.absolute(input);
    const QString error = driveError(session_, dos);
    host = error.isEmpty() ? session_.fs().resolve(dos) : QString();
    if (host.isEmpty()) {
        return Outcome::failure(error.isEmpty() ? QStringLiteral("File not found - ") + input
                                                : error);
    }
    return Outcome::success();
}

Outcome ProgramRunner::outputFile(const CommandLine::Redirection& output, QString& host) const {
    const QString dos = session_.absolute(output.target);
    const QString error = driveError(session_, dos);
    if (!error.isEmpty()) {
        return Outcome::failure(error);
    }
    host = session_.fs().hostPath(dos);
    const QString outside = HostBounds::refusalToWrite(session_.fs().drives(), host, output.target);
    if (!outside.isEmpty()) {
        return Outcome::failure(outside);
    }
    QFile file(host);
    if (!file.open(output.append ? QIODevice::Append : QIODevice::WriteOnly)) {
        return Outcome::failure(QStringLiteral("File creation error - ") + output.target);
    }
    return Outcome::success();
}

QProcessEnvironment ProgramRunner::environment() const {
    // A program started from here starts its own scripts on the same drives.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("BRIVANEL_DRIVES"), session_.fs().drives().toString());
    return environment;
}

Outcome ProgramRunner::runDos(const Program& program, const QStringList& arguments,
                              const CommandLine::Redirection& output, const QString& input) const {
    const QString dosbox = QStandardPaths::findExecutable(QStringLiteral("dosbox"));
    if (dosbox.isEmpty()) {
        return missingTool(program, QStringLiteral("a DOS program"), u"dosbox");
    }
    const QString workingFolder = session_.currentHostDirectory();
    if (workingFolder.isEmpty()) {
        return Outcome::failure(QStringLiteral("Invalid directory - ") +
                                session_.currentDirectory());
    }
    const QTemporaryDir exchange(QDir::tempPath() + QStringLiteral("/brivanel-dosbox-XXXXXX"));
    if (!exchange.isValid()) {
        return Outcome::failure(QStringLiteral("No folder to exchange files with DOSBox: ") +
                                exchange.errorString());
    }
    const DosboxLine::Plan plan = DosboxLine::build(
        session_, {program.hostPath, DosPath::driveLetter(program.dosPath), arguments,
                   !input.isEmpty(), !output.target.isEmpty(), exchange.path()});
    if (!plan.error.isEmpty()) {
        return Outcome::failure(program.typed + QStringLiteral(" ") + plan.error);
    }
    const auto inExchange = [&exchange](const char16_t* name) {
        return exchange.filePath(QString::fromUtf16(name));
    };
    if (!input.isEmpty()) {
        QString host;
        const Outcome found = inputFile(input, host);
        if (!found.ok) {
            return found;
        }
        if (!QFile::copy(host, inExchange(DosboxLine::kInput))) {
            return Outcome::failure(QStringLiteral("Cannot read - ") + input);
        }
    }
    QString outputHost;
    if (!output.target.isEmpty()) {
        const Outcome opened = outputFile(output, outputHost);
        if (!opened.ok) {
            return opened;
        }
    }

    QProcess process;
    process.setProgram(dosbox);
    process.setArguments(plan.arguments);
    process.setWorkingDirectory(workingFolder);
    process.setProcessEnvironment(environment());
    process.setStandardInputFile(QProcess::nullDevice());
    // DOSBox's own chatter is no output of the program.
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start();
    if (!process.waitForStarted(-1)) {
        return Outcome::failure(program.typed + QStringLiteral(" could not be started: ") +
                                process.errorString());
    }
    process.waitForFinished(-1);
    if (process.exitStatus() == QProcess::CrashExit || process.exitCode() != 0) {
        return Outcome::failure(QStringLiteral("DOSBox failed running ") + program.typed);
    }
    if (!QFileInfo(inExchange(DosboxLine::kFound)).isDir()) {
        return Outcome::failure(QStringLiteral("DOSBox did not find ") + program.typed);
    }
    if (!output.target.isEmpty()) {
        QFile produced(inExchange(DosboxLine::kOutput));
        QFile target(outputHost);
        if (!produced.open(QIODevice::ReadOnly)) {
            return Outcome::failure(QStringLiteral("DOSBox left no output of ") + program.typed);
        }
        const QByteArray bytes = produced.readAll();
        if (!target.open(QIODevice::Append) || target.write(bytes) != bytes.size()) {
            return Outcome::failure(QStringLiteral("Write failure - ") + output.target);
        }
    }
    if (QFileInfo(inExchange(DosboxLine::kFailed)).isDir()) {
        // DOSBox tells only whether the program's errorlevel reached 1.
        Outcome failed = Outcome::exited(1);
        failed.text = QStringLiteral("error level 1 or more");
        return failed;
    }
    return Outcome::exited(0);
}

Outcome ProgramRunner::run(const Program& program, const QStringList& arguments,
                           const CommandLine::Redirection& output, const QString& input) const {
    if (program.kind.kind == ExecutableKind::Dos) {
        return runDos(program, arguments, output, input);
    }
    Invocation invocation;
    const Outcome prepared = invocationFor(program, arguments, invocation);
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
    process.setProcessEnvironment(environment());

    if (!input.isEmpty()) {
        QString host;
        const Outcome found = inputFile(input, host);
        if (!found.ok) {
            return found;
        }
        process.setStandardInputFile(host);
    } else {
        // Nobody is there to answer a program that asks: it reads end of file
        // instead of waiting for ever.
        process.setStandardInputFile(QProcess::nullDevice());
    }
    if (!output.target.isEmpty()) {
        QString host;
        const Outcome opened = outputFile(output, host);
        if (!opened.ok) {
            return opened;
        }
        process.setStandardOutputFile(host, QIODevice::Append);
    } else {
        process.setProcessChannelMode(QProcess::ForwardedOutputChannel);
    }
    // The error output goes to a file, not a pipe: what the restarted program
    // starts outlives this run, and would write into a pipe nobody reads any
    // more. After the run it is passed on and its last line kept: when the
    // program failed, that is what it said about it.
    QTemporaryFile errors(QDir::tempPath() + QStringLiteral("/brivanel-batch-XXXXXX.err"));
    if (errors.open()) {
        process.setStandardErrorFile(errors.fileName());
    } else {
        process.setProcessChannelMode(output.target.isEmpty() ? QProcess::ForwardedChannels
                                                              : QProcess::ForwardedErrorChannel);
    }

    process.start();
    if (!process.waitForStarted(-1)) {
        return Outcome::failure(program.typed + QStringLiteral(" could not be started: ") +
                                process.errorString());
    }
    process.waitForFinished(-1);
    const QString said = errors.isOpen() ? passOnErrorOutput(errors) : QString();
    Outcome ended = process.exitStatus() == QProcess::CrashExit
                        ? Outcome::failure(program.typed + QStringLiteral(" was ended by a signal"))
                        : Outcome::exited(process.exitCode());
    if (!ended.ok) {
        ended.lastOutput = said;
    }
    return ended;
}
