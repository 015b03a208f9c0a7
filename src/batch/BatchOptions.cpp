#include "batch/BatchOptions.h"

BatchOptions BatchOptions::parse(const QStringList& arguments) {
    BatchOptions options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        QString name = argument;
        std::optional<QString> value;
        if (argument.startsWith(u"--") && argument.contains(u'=')) {
            name = argument.left(argument.indexOf(u'='));
            value = argument.mid(argument.indexOf(u'=') + 1);
        }
        const bool takesValue = name == u"--drives" || name == u"--show" || name == u"--command";
        if (takesValue && !value) {
            if (i + 1 >= arguments.size()) {
                options.error = name + QStringLiteral(" needs a value");
                return options;
            }
            value = arguments[++i];
        }
        if (name == u"--help" || name == u"-h") {
            options.help = true;
        } else if (name == u"--drives") {
            options.drives = *value;
        } else if (name == u"--show") {
            const QString mode = value->toLower();
            if (mode == u"normal" || mode == u"1") {
                options.show = QStringLiteral("normal");
            } else if (mode == u"minimised" || mode == u"minimized" || mode == u"2") {
                options.show = QStringLiteral("minimised");
            } else {
                options.error = QStringLiteral("unknown show mode ") + *value;
                return options;
            }
        } else if (name == u"--command") {
            options.command = *value;
        } else if (argument.startsWith(u"--")) {
            options.error = QStringLiteral("unknown option ") + argument;
            return options;
        } else if (options.script.isEmpty()) {
            options.script = argument;
        } else {
            options.error = QStringLiteral("unexpected argument ") + argument;
            return options;
        }
    }
    if (!options.help && options.script.isEmpty() == !options.command.has_value()) {
        options.error = QStringLiteral("give either a script or --command LINE");
    }
    return options;
}

QString BatchOptions::usage() {
    return QStringLiteral(
        "usage: brivanel-batch [--drives SPEC] [--show normal|minimised] SCRIPT\n"
        "       brivanel-batch [--drives SPEC] [--show normal|minimised] --command LINE\n"
        "\n"
        "Runs a DOS batch script on the host. SPEC maps drives to host folders\n"
        "(\"C:=/srv/dos/c;D:=/media/cdrom\"); without it BRIVANEL_DRIVES, the Wine\n"
        "prefix or C: = home and Z: = / apply. A script starts in its own folder\n"
        "and logs every line to Execute.log beside it; --command runs one line in\n"
        "the current folder and logs to standard error. The show mode is recorded\n"
        "only: no window is shown.\n"
        "Exit status: 0 when every line succeeded, 1 when any failed, 2 for a bad\n"
        "command line.\n");
}
