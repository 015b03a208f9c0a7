#pragma once

#include <QtGlobal>

struct stat;

// File and folder times come from a coarse clock (a kernel tick; two seconds
// on FAT), so a file or folder changed shortly after it was read can keep the
// time it had when it was read. What was read stands for the file, while its
// time stays the same, only when it was read well after that time.
namespace FileClock {

// Now, in nanoseconds of the clock that file times are taken from.
qint64 nowNs();
// The modification time that `st` holds, in the same unit.
qint64 modifiedNs(const struct stat& st);
// True when a read at `readAtNs` came late enough after a change at
// `modifiedNs` to have seen everything that change did.
bool readSettled(qint64 modifiedNs, qint64 readAtNs);

}  // namespace FileClock
