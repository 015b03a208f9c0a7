#include "batch/Builtin.h"

#include <QHash>

#include "batch/AttribCommand.h"
#include "batch/DeleteCommands.h"
#include "batch/DirectoryCommands.h"
#include "batch/FileCommands.h"

Builtin findBuiltin(const QString& name) {
    static const QHash<QString, Builtin> builtins{
        {QStringLiteral("cd"), &DirectoryCommands::cd},
        {QStringLiteral("chdir"), &DirectoryCommands::cd},
        {QStringLiteral("md"), &DirectoryCommands::md},
        {QStringLiteral("mkdir"), &DirectoryCommands::md},
        {QStringLiteral("rd"), &DirectoryCommands::rd},
        {QStringLiteral("rmdir"), &DirectoryCommands::rd},
        {QStringLiteral("copy"), &FileCommands::copy},
        {QStringLiteral("ren"), &FileCommands::ren},
        {QStringLiteral("rename"), &FileCommands::ren},
        {QStringLiteral("del"), &DeleteCommands::del},
        {QStringLiteral("erase"), &DeleteCommands::del},
        {QStringLiteral("deltree"), &DeleteCommands::deltree},
        {QStringLiteral("attrib"), &AttribCommand::attrib},
    };
    return builtins.value(name.toLower(), nullptr);
}

Arguments Arguments::split(const QStringList& words) {
    Arguments out;
    for (const QString& word : words) {
        if (word.startsWith(u'/') && word.size() > 1) {
            out.switches << word.toUpper();
        } else {
            out.values << word;
        }
    }
    return out;
}

QString Arguments::unknownSwitch(const QStringList& known) const {
    for (const QString& s : switches) {
        if (!known.contains(s)) {
            return s;
        }
    }
    return QString();
}
