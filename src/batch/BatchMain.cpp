#include "batch/BatchMain.h"

#include <QCoreApplication>
#include <cstdio>

#include "batch/BatchOptions.h"
#include "batch/BatchRun.h"
#include "platform/DriveMap.h"

int batchMain(int argc, char** argv) {
    const QCoreApplication app(argc, argv);
    const BatchOptions options = BatchOptions::parse(QCoreApplication::arguments().mid(1));
    if (options.help) {
        std::fputs(BatchOptions::usage().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "brivanel-batch: %s\n%s", options.error.toLocal8Bit().constData(),
                     BatchOptions::usage().toLocal8Bit().constData());
        return 2;
    }
    // A map that cannot be read whole is refused, never guessed at: the
    // script's deletions go wherever its drives point.
    QString problem = DriveMap::environmentProblem();
    if (options.drives) {
        problem = DriveMap::problemIn(*options.drives);
        if (!problem.isEmpty()) {
            problem.prepend(QStringLiteral("--drives: "));
        }
    }
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "brivanel-batch: %s\n", problem.toLocal8Bit().constData());
        return 2;
    }
    const DriveMap drives =
        options.drives ? DriveMap::parse(*options.drives) : DriveMap::fromEnvironment();
    if (drives.isEmpty()) {
        std::fputs("brivanel-batch: no drive is mapped\n", stderr);
        return 2;
    }
    return options.command ? BatchRun::command(options, drives) : BatchRun::script(options, drives);
}
