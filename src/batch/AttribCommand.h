#pragma once

#include "batch/Builtin.h"

// attrib: "+R"/"-R" set and clear read-only (the host's write permission),
// "/S" reaches into every folder below; without a change it lists files.
namespace AttribCommand {

Outcome attrib(BuiltinContext& ctx, const QStringList& arguments);

}  // namespace AttribCommand
