#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// brivanel-batch [--drives SPEC] [--show normal|minimised] SCRIPT
// brivanel-batch [--drives SPEC] [--show normal|minimised] --command LINE
struct BatchOptions {
    std::optional<QString> drives;  // the BRIVANEL_DRIVES form
    QString show = QStringLiteral("normal");
    QString script;                  // host path
    std::optional<QString> command;  // one DOS line
    bool help = false;
    QString error;  // what is wrong with the command line

    static BatchOptions parse(const QStringList& arguments);
    static QString usage();
};
