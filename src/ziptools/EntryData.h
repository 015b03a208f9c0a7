#pragma once

#include <zip.h>

#include "ziptools/Sources.h"

// Where PKZIP's entries take their bytes from, and whether deflating them pays.
class EntryData {
public:
    // Small files are read at once, so that libzip does not stat, open and
    // seek each again when it writes the archive: most ROM sets are many
    // small files. Larger ones, and all once the budget is spent, libzip
    // reads itself. Null, with libzip's error in the archive, on failure.
    zip_source_t* sourceFor(zip_t* archive, const Source& source);

    // False for a large file whose samples deflate to no less than they are
    // (noise, or data compressed already): stored, it costs no deflating and
    // takes less room than deflated. Small files, and any file whose
    // samples cannot be read, are deflated as usual.
    static bool worthDeflating(const Source& source);

private:
    off_t budget_ = off_t(64) << 20;
};
