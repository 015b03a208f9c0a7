#pragma once

#include <QIODevice>
#include <QString>
#include <QStringList>

#include "batch/DeletionGuard.h"
#include "batch/DosSession.h"
#include "batch/Outcome.h"

// What a builtin command works on: the session, the guard against harmful
// deletions, and where its own output goes (standard output or a "> FILE").
struct BuiltinContext {
    DosSession& session;
    const DeletionGuard& guard;
    QIODevice& out;
};

using Builtin = Outcome (*)(BuiltinContext& ctx, const QStringList& arguments);

// The builtin of that name (any case), or null.
Builtin findBuiltin(const QString& name);

// Words of a builtin's arguments: switches ("/Y") apart from the rest.
struct Arguments {
    QStringList switches;  // upper-cased, with their "/"
    QStringList values;

    static Arguments split(const QStringList& words);
    // The first switch not in `known`, for "Invalid switch - /X".
    QString unknownSwitch(const QStringList& known) const;
};
