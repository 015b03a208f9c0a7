#include "batch/DosboxLine.h"

#include <algorithm>

#include "batch/ArgumentTranslator.h"
#include "dosnames/DosCase.h"
#include "dosnames/DosDevices.h"
#include "dosnames/ShortNames.h"
#include "platform/DosFileSystem.h"
#include "platform/DosPath.h"

namespace DosboxLine {
namespace {

// A DOS command tail holds 126 characters after the program name; DOSBox
// cuts a longer one without a word.
constexpr qsizetype kMaxTail = 126;

QString joinHost(const QString& folder, const QString& name) {
    return folder.endsWith(u'/') ? QString(folder + name) : QString(folder + u'/' + name);
}

bool isPlainText(const QString& text, QStringView refused) {
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7E || refused.contains(c)) {
            return false;
        }
    }
    return true;
}

// DOSBox keeps Z: for its own programs, and its shell would read a quote,
// a redirection or a variable in the folder of a mount command.
bool isMountable(QChar letter, const QString& root) {
    return letter != u'Z' && isPlainText(root, u"\"<>|%");
}

// Its shell expands "%NAME%" even on the command line; "%%" stays "%".
QString literal(const QString& text) {
    QString out = text;
    return out.replace(u'%', QStringLiteral("%%"));
}

QString mount(QChar letter, const QString& root) {
    return QStringLiteral("mount %1 \"%2\"").arg(letter, root);
}

// The DOS path below the drive's root of a host path the interpreter
// resolved there, or why DOSBox would not find it under that path.
QString dosPathFor(const DriveMap& drives, QChar letter, const QString& hostPath, QString& error) {
    const QString root = drives.hostRoot(letter);
    if (!isMountable(letter, root)) {
        error = QStringLiteral("drive %1: cannot be mounted in DOSBox as it is").arg(letter);
        return QString();
    }
    const QString rest = hostPath.mid(root == u"/" ? 1 : root.size() + 1);
    QString folder = root;
    QString dos = QString(letter) + u":\\";
    for (const QString& name : rest.split(u'/', Qt::SkipEmptyParts)) {
        if (!isPlainName(folder, name)) {
            error =
                QStringLiteral("\"%1\" is no 8.3 name that DOSBox would find as it is").arg(name);
            return QString();
        }
        dos += (dos.endsWith(u'\\') ? QString() : QStringLiteral("\\")) + name.toUpper();
        folder = joinHost(folder, name);
    }
    return dos;
}

// Why DOSBox would read a DOS path in an argument otherwise than the
// interpreter does; empty when both find the same entries (or none).
QString pathProblem(const DosFileSystem& fs, const QString& dosPath) {
    const QChar letter = DosPath::driveLetter(dosPath);
    QString folder = fs.drives().hostRoot(letter);
    if (!isMountable(letter, folder)) {
        return QStringLiteral("drive %1: cannot be mounted in DOSBox as it is").arg(letter);
    }
    bool existing = true;
    for (const QString& part : DosPath::components(dosPath)) {
        if (existing) {
            QStringList names;
            for (const DosEntry& e : DosFileSystem::listHost(folder)) {
                names << e.name;
            }
            const QStringList aliases = ShortNames::aliases(names);
            qsizetype byName = names.size() - 1;
            while (byName >= 0 && !DosCase::same(names[byName], part)) {
                --byName;
            }
            if (byName >= 0) {
                if (!isPlainName(folder, names[byName])) {
                    return QStringLiteral("\"%1\" is no 8.3 name that DOSBox would find as it is")
                        .arg(names[byName]);
                }
                folder = joinHost(folder, names[byName]);
                continue;
            }
            if (std::any_of(aliases.begin(), aliases.end(),
                            [&part](const QString& alias) { return DosCase::same(alias, part); })) {
                return QStringLiteral("\"%1\" is an alias, which DOSBox numbers its own way")
                    .arg(part);
            }
            existing = false;
        }
        if (part.contains(u'~')) {
            return QStringLiteral("\"%1\" may be an alias, which DOSBox numbers its own way")
                .arg(part);
        }
    }
    return QString();
}

}  // namespace

bool isPlainName(const QString& hostFolder, const QString& name) {
    if (!ShortNames::isValidShortName(name) || name.contains(u'~')) {
        return false;
    }
    int same = 0;
    for (const DosEntry& e : DosFileSystem::listHost(hostFolder)) {
        same += DosCase::same(e.name, name) ? 1 : 0;
    }
    return same == 1;
}

Plan build(const DosSession& session, const Request& request) {
    const DosFileSystem& fs = session.fs();
    const DriveMap& drives = fs.drives();
    Plan plan;
    const auto refuse = [&plan](const QString& why) {
        plan.error = QStringLiteral("not handed to DOSBox: ") + why;
        return plan;
    };

    QChar exchange;
    for (char16_t letter = u'Y'; letter >= u'D' && exchange.isNull(); --letter) {
        if (drives.hostRoot(letter).isEmpty()) {
            exchange = letter;
        }
    }
    if (exchange.isNull()) {
        return refuse(QStringLiteral("no free drive letter for its exchange folder"));
    }
    if (!isMountable(exchange, request.exchangeFolder)) {
        return refuse(QStringLiteral("its exchange folder %1 cannot be mounted as it is")
                          .arg(request.exchangeFolder));
    }
    const QString exchangeRoot = QString(exchange) + u":\\";

    QString error;
    const QString program = dosPathFor(drives, request.programDrive, request.programHost, error);
    const QString directory = program.isEmpty() ? QString()
                                                : dosPathFor(drives, session.drive(),
                                                             session.currentHostDirectory(), error);
    // DOSBox would open the device, not the file: a save would be lost, a
    // read would read the port.
    for (const QString& path : QStringList{program, directory} + request.arguments) {
        if (const QStringView device = DosDevices::deviceComponent(path); !device.isEmpty()) {
            return refuse(
                QStringLiteral("\"%1\" in %2 names a DOS device, not a file").arg(device, path));
        }
    }
    if (program.isEmpty()) {
        return refuse(QStringLiteral("the program: ") + error);
    }
    const QChar drive = session.drive();
    if (directory.isEmpty()) {
        return refuse(QStringLiteral("the current directory ") + session.currentDirectory() +
                      QStringLiteral(": ") + error);
    }

    QString tail;
    for (const QString& argument : request.arguments) {
        if (!isPlainText(argument, u"\"<>|")) {
            return refuse(QStringLiteral("the argument \"%1\" holds a character that DOSBox "
                                         "would not pass on as it is")
                              .arg(argument));
        }
        const qsizetype start = ArgumentTranslator::dosPathStart(fs, argument);
        const QString problem = start < 0 ? QString() : pathProblem(fs, argument.mid(start));
        if (!problem.isEmpty()) {
            return refuse(QStringLiteral("the argument ") + argument + QStringLiteral(": ") +
                          problem);
        }
        const bool quote = argument.isEmpty() || argument.contains(u' ');
        tail += u' ' + (quote ? u'"' + argument + u'"' : argument);
    }
    if (tail.size() > kMaxTail) {
        return refuse(QStringLiteral("the arguments are longer than DOS takes"));
    }

    QString line = literal(program + tail);
    if (request.input) {
        line += u" < " + exchangeRoot + QString::fromUtf16(kInput);
    }
    if (request.output) {
        line += u" > " + exchangeRoot + QString::fromUtf16(kOutput);
    }
    QStringList commands;
    for (const auto& [letter, root] : drives.roots()) {
        if (isMountable(letter, root)) {
            commands << mount(letter, root);
        }
    }
    commands << mount(exchange, request.exchangeFolder) << QString(drive) + u':'
             << u"cd " + literal(directory.mid(2))
             << u"IF EXIST " + literal(program) + u" MD " + exchangeRoot +
                    QString::fromUtf16(kFound)
             << line << u"IF ERRORLEVEL 1 MD " + exchangeRoot + QString::fromUtf16(kFailed)
             << QStringLiteral("exit");
    plan.arguments << QStringLiteral("-noautoexec");
    for (const QString& command : commands) {
        plan.arguments << QStringLiteral("-c") << command;
    }
    return plan;
}

}  // namespace DosboxLine
