#pragma once

#include "tools/DirectoryWalker.h"

class StatusLine;

// A walk's progress in the status line: each step's "Building List: ..."
// text, as often as the bar can repaint without slowing down a walk of many
// thousand files.
DirectoryWalker::Progress WalkStatus(StatusLine& status);
