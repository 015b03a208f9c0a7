#pragma once

#include "batch/Builtin.h"

// Drive change ("C:"), cd, md and rd.
namespace DirectoryCommands {

Outcome changeDrive(DosSession& session, QChar drive);
Outcome cd(BuiltinContext& ctx, const QStringList& arguments);
Outcome md(BuiltinContext& ctx, const QStringList& arguments);
Outcome rd(BuiltinContext& ctx, const QStringList& arguments);

}  // namespace DirectoryCommands
