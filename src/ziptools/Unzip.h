#pragma once

#include <ostream>

#include "ziptools/ZipCommand.h"

// PKUNZIP: extracts the entries matching the masks (all when none) into the
// destination. Returns an Archive::Status.
int runUnzip(const ZipCommand& command, std::ostream& out, std::ostream& err);
