#pragma once

#include "batch/BatchOptions.h"
#include "platform/DriveMap.h"

// One run of the interpreter over a script or a single line; the exit status.
namespace BatchRun {

int script(const BatchOptions& options, const DriveMap& drives);
int command(const BatchOptions& options, const DriveMap& drives);

}  // namespace BatchRun
