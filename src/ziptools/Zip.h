#pragma once

#include <ostream>

#include "ziptools/ZipCommand.h"

// PKZIP: adds files to the archive (creating it), updates or moves them in,
// or deletes entries. The archive is replaced in one step, or left as it was.
// Returns an Archive::Status.
int runZip(const ZipCommand& command, std::ostream& out, std::ostream& err);
