#include "batch/Interpreter.h"

#include <QFile>

#include "batch/Condition.h"
#include "batch/DirectoryCommands.h"
#include "batch/FileSet.h"
#include "platform/DosPath.h"
#include "platform/HostBounds.h"
#include "platform/TextCodec.h"

namespace {

constexpr int kMaxBatchDepth = 8;
constexpr qsizetype kMaxLineLength = 8192;
constexpr qint64 kMaxScriptBytes = 16 * 1024 * 1024;

// Lines that do nothing and are not worth a log entry.
bool isInert(const QString& text) {
    if (text.isEmpty() || text.startsWith(u':')) {
        return true;  // labels and "::" comments
    }
    const QString lower = text.toLower();
    if (lower == u"rem" || lower.startsWith(u"rem ") || lower.startsWith(u"rem\t")) {
        return true;
    }
    return lower == u"echo off" || lower == u"echo on";
}

// Recognised DOS commands that this interpreter does not carry out; saying
// so is clearer than "Bad command or file name".
bool isUnsupported(const QString& lower) {
    static const QStringList names{
        QStringLiteral("goto"),   QStringLiteral("for"),    QStringLiteral("set"),
        QStringLiteral("shift"),  QStringLiteral("choice"), QStringLiteral("path"),
        QStringLiteral("prompt"), QStringLiteral("move"),   QStringLiteral("xcopy"),
        QStringLiteral("dir"),    QStringLiteral("type")};
    return names.contains(lower);
}

}  // namespace

std::optional<QStringList> readScript(const QString& hostPath) {
    QFile file(hostPath);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxScriptBytes) {
        return std::nullopt;
    }
    return TextCodec::splitLines(TextCodec::decode(file.read(kMaxScriptBytes)));
}

bool Interpreter::runLines(const QStringList& lines, int depth) {
    bool allOk = true;
    for (const QString& line : lines) {
        if (exitRequested_) {
            break;
        }
        QString text = line.trimmed();
        while (text.startsWith(u'@')) {
            text = text.mid(1).trimmed();
        }
        if (isInert(text)) {
            continue;
        }
        ++linesRun_;
        Outcome outcome;
        if (text.size() > kMaxLineLength) {
            log_.command(session_.currentDirectory(), text.left(80) + QStringLiteral("..."));
            outcome = Outcome::failure(QStringLiteral("Line too long"));
        } else {
            log_.command(session_.currentDirectory(), text);
            outcome = execute(CommandLine::parse(text), depth);
        }
        log_.outcome(outcome);
        errorLevel_ = outcome.errorLevelAfter(errorLevel_);
        if (!outcome.ok) {
            ++linesFailed_;
            allOk = false;
        }
    }
    return allOk;
}

Outcome Interpreter::execute(const CommandLine& cmd, int depth) {
    if (!cmd.error.isEmpty()) {
        return Outcome::failure(cmd.error);
    }
    if (cmd.words.isEmpty()) {
        return Outcome::success();
    }
    if (!cmd.quoted.first() && cmd.words.first().compare(u"if", Qt::CaseInsensitive) == 0) {
        return conditional(cmd, depth);
    }
    return runWords(cmd.words, cmd.quoted, cmd, depth);
}

Outcome Interpreter::conditional(const CommandLine& cmd, int depth) {
    const Condition condition = Condition::parse(cmd);
    if (!condition.error.isEmpty()) {
        return Outcome::failure(condition.error);
    }
    if (!condition.holds(session_, errorLevel_)) {
        return Outcome::success(QStringLiteral("condition not met, not run"));
    }
    return execute(cmd.from(condition.command), depth);
}

Outcome Interpreter::openOutput(const CommandLine& cmd, QFile& out) const {
    if (cmd.output.target.isEmpty()) {
        out.open(stdout, QIODevice::WriteOnly);
        return Outcome::success();
    }
    const QString dos = session_.absolute(cmd.output.target);
    const QString error = driveError(session_, dos);
    if (!error.isEmpty()) {
        return Outcome::failure(error);
    }
    const QString host = session_.fs().hostPath(dos);
    const QString outside =
        HostBounds::refusalToWrite(session_.fs().drives(), host, cmd.output.target);
    if (!outside.isEmpty()) {
        return Outcome::failure(outside);
    }
    out.setFileName(host);
    const auto mode = cmd.output.append ? QIODevice::Append : QIODevice::WriteOnly;
    if (!out.open(mode)) {
        return Outcome::failure(QStringLiteral("File creation error - ") + cmd.output.target);
    }
    return Outcome::success();
}

Outcome Interpreter::runBuiltin(Builtin builtin, const QStringList& arguments,
                                const CommandLine& cmd) {
    QFile out;
    const Outcome opened = openOutput(cmd, out);
    if (!opened.ok) {
        return opened;
    }
    BuiltinContext ctx{session_, guard_, out};
    const Outcome outcome = builtin(ctx, arguments);
    out.flush();
    return outcome;
}

Outcome Interpreter::echo(const CommandLine& cmd) {
    QFile out;
    const Outcome opened = openOutput(cmd, out);
    if (!opened.ok) {
        return opened;
    }
    QString text = cmd.tail;
    while (!text.isEmpty() && (text.back() == u' ' || text.back() == u'\t')) {
        text.chop(1);
    }
    out.write((text + QStringLiteral("\r\n")).toUtf8());
    out.flush();
    return Outcome::success();
}

Outcome Interpreter::runWords(const QStringList& words, const QList<bool>& quoted,
                              const CommandLine& cmd, int depth) {
    const QString& first = words.first();
    const QStringList arguments = words.mid(1);
    // A quoted first word is always a program path (the restart line).
    if (!quoted.first()) {
        const QString lower = first.toLower();
        if (first.size() == 2 && DosPath::hasDrive(first)) {
            return DirectoryCommands::changeDrive(session_, first[0]);
        }
        if (lower == u"start" || lower == u"call") {
            // Every program is waited for, so "start /w" and "start" agree.
            qsizetype next = 1;
            while (next < words.size() && !quoted[next] && words[next].startsWith(u'/')) {
                ++next;
            }
            if (next == words.size()) {
                return Outcome::failure(QStringLiteral("Required parameter missing"));
            }
            return runWords(words.mid(next), quoted.mid(next), cmd, depth);
        }
        if (lower == u"echo") {
            return echo(cmd);
        }
        // Nobody watches the screen or could press a key.
        if (lower == u"cls" || lower == u"pause") {
            return Outcome::success();
        }
        if (lower == u"exit") {
            exitRequested_ = true;
            return Outcome::success();
        }
        if (isUnsupported(lower)) {
            return Outcome::failure(first + QStringLiteral(" is not supported by brivanel-batch"));
        }
        if (const Builtin builtin = findBuiltin(lower)) {
            return runBuiltin(builtin, arguments, cmd);
        }
    }
    const ProgramRunner::Program program = runner_.find(first);
    if (!program.error.isEmpty()) {
        return Outcome::failure(program.error);
    }
    if (program.kind.kind == ExecutableKind::Batch) {
        return runBatchFile(program.hostPath, depth + 1);
    }
    return runner_.run(program, arguments, cmd.output, cmd.input);
}

Outcome Interpreter::runBatchFile(const QString& hostPath, int depth) {
    if (depth > kMaxBatchDepth) {
        return Outcome::failure(QStringLiteral("Batch files nested too deeply"));
    }
    const std::optional<QStringList> lines = readScript(hostPath);
    if (!lines) {
        return Outcome::failure(QStringLiteral("Cannot read batch file - ") + hostPath);
    }
    Outcome called = runLines(*lines, depth)
                         ? Outcome::success()
                         : Outcome::failure(QStringLiteral("a line of the batch file failed"));
    // As with CALL, the errorlevel is what the called script's lines left.
    called.errorLevel = errorLevel_;
    return called;
}
