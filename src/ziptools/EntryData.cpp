#include "ziptools/EntryData.h"

#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <vector>

#include "ziptools/HostFiles.h"

namespace {

constexpr off_t kSmallFile = off_t(1) << 20;
constexpr size_t kSample = size_t(256) << 10;

using Buffer = std::unique_ptr<char, decltype(&::free)>;

bool readAll(int fd, char* data, size_t size, off_t offset) {
    for (size_t got = 0; got < size;) {
        const ssize_t n = ::pread(fd, data + got, size - got, offset + off_t(got));
        if (n <= 0) {
            return false;
        }
        got += size_t(n);
    }
    return true;
}

// Raw deflate at the level libzip writes with; true when it shrinks the
// sample by at least one per cent.
bool sampleShrinks(z_stream& stream, const char* data, size_t size) {
    std::vector<Bytef> out(deflateBound(&stream, uLong(size)));
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
    stream.avail_in = uInt(size);
    stream.next_out = out.data();
    stream.avail_out = uInt(out.size());
    const bool done = deflate(&stream, Z_FINISH) == Z_STREAM_END;
    const bool shrinks = !done || stream.total_out < size - size / 100;
    deflateReset(&stream);
    return shrinks;
}

}  // namespace

zip_source_t* EntryData::sourceFor(zip_t* archive, const Source& source) {
    if (source.size <= kSmallFile && source.size <= budget_) {
        const HostFiles::UniqueFd file(
            ::open(source.host.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
        const size_t size = size_t(source.size);
        Buffer data(static_cast<char*>(::malloc(std::max<size_t>(size, 1))), &::free);
        char beyond = 0;
        // A file that changed size since it was listed is left to libzip.
        if (file.valid() && data && readAll(file.get(), data.get(), size, 0) &&
            ::pread(file.get(), &beyond, 1, off_t(size)) == 0) {
            if (zip_source_t* const buffer = zip_source_buffer(archive, data.get(), size, 1)) {
                data.release();
                budget_ -= source.size;
                return buffer;
            }
        }
    }
    return zip_source_file(archive, source.host.c_str(), 0, -1);
}

bool EntryData::worthDeflating(const Source& source) {
    if (source.size <= kSmallFile) {
        return true;
    }
    const HostFiles::UniqueFd file(::open(source.host.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    Buffer data(static_cast<char*>(::malloc(kSample)), &::free);
    z_stream stream{};
    if (!file.valid() || !data ||
        deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) !=
            Z_OK) {
        return true;
    }
    // The start, the middle and the end: a header of noise before data
    // that deflates well must not make the whole file stored.
    const off_t last = source.size - off_t(kSample);
    const std::array<off_t, 3> offsets{0, last / 2, last};
    bool worth = false;
    for (const off_t offset : offsets) {
        if (!readAll(file.get(), data.get(), kSample, offset) ||
            sampleShrinks(stream, data.get(), kSample)) {
            worth = true;
            break;
        }
    }
    deflateEnd(&stream);
    return worth;
}
