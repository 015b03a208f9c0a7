#pragma once

#include "batch/Builtin.h"

// copy and ren.
namespace FileCommands {

Outcome copy(BuiltinContext& ctx, const QStringList& arguments);
Outcome ren(BuiltinContext& ctx, const QStringList& arguments);

}  // namespace FileCommands
