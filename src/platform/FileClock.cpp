#include "platform/FileClock.h"

#include <sys/stat.h>
#include <time.h>

namespace FileClock {
namespace {
constexpr qint64 kNsPerSecond = 1'000'000'000;
// Wider than the coarsest clock a drive may have (FAT's two seconds).
constexpr qint64 kRacyWindowNs = 3 * kNsPerSecond;
}  // namespace

qint64 nowNs() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return qint64(now.tv_sec) * kNsPerSecond + now.tv_nsec;
}

qint64 modifiedNs(const struct stat& st) {
    return qint64(st.st_mtim.tv_sec) * kNsPerSecond + st.st_mtim.tv_nsec;
}

bool readSettled(qint64 modifiedNs, qint64 readAtNs) {
    return modifiedNs + kRacyWindowNs < readAtNs;
}

}  // namespace FileClock
