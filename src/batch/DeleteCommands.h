#pragma once

#include "batch/Builtin.h"

// del and deltree, both behind the deletion guard.
namespace DeleteCommands {

Outcome del(BuiltinContext& ctx, const QStringList& arguments);
Outcome deltree(BuiltinContext& ctx, const QStringList& arguments);

// Removes a file, a symbolic link, or a folder with everything in it, whatever
// the read-only attributes; links are removed, never followed. The first
// failure's text, or empty.
QString removeTree(const QString& hostPath);

}  // namespace DeleteCommands
