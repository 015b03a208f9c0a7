#include "imaging/JpegDecoder.h"

#include <QIODevice>
#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstdio>
#include <memory>

#include <jpeglib.h>

#include "imaging/PictureFormat.h"

namespace {

constexpr size_t kBufferSize = 16384;

// libjpeg reports a fatal error by calling error_exit, which must not
// return; it jumps back to the decode, which then gives up.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

void errorExit(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void quietMessage(j_common_ptr) {}

// Reads the stream in blocks; at its end it hands libjpeg an end marker
// (as libjpeg's own readers do) and remembers that the data ran out.
struct StreamSource {
    jpeg_source_mgr pub;
    QIODevice* stream;
    std::array<JOCTET, kBufferSize> buffer;
    qint64 bytesRead = 0;
    qint64 maxBytes = kMaxJpegFileBytes;
    bool ranOut = false;
};

void initSource(j_decompress_ptr) {}

boolean fillInputBuffer(j_decompress_ptr info) {
    auto* source = reinterpret_cast<StreamSource*>(info->src);
    const qint64 count =
        source->stream->read(reinterpret_cast<char*>(source->buffer.data()), kBufferSize);
    source->bytesRead += std::max<qint64>(count, 0);
    if (source->bytesRead > source->maxBytes) {
        info->err->error_exit(reinterpret_cast<j_common_ptr>(info));
    }
    if (count <= 0) {
        source->ranOut = true;
        source->buffer[0] = 0xff;
        source->buffer[1] = JPEG_EOI;
        source->pub.bytes_in_buffer = 2;
    } else {
        source->pub.bytes_in_buffer = size_t(count);
    }
    source->pub.next_input_byte = source->buffer.data();
    return TRUE;
}

void skipInputData(j_decompress_ptr info, long count) {
    auto* source = reinterpret_cast<StreamSource*>(info->src);
    while (count > long(source->pub.bytes_in_buffer)) {
        count -= long(source->pub.bytes_in_buffer);
        fillInputBuffer(info);
        if (source->ranOut) {
            return;
        }
    }
    source->pub.next_input_byte += count;
    source->pub.bytes_in_buffer -= size_t(count);
}

void termSource(j_decompress_ptr) {}

// libjpeg calls the progress monitor before it reads each part of a scan;
// a scan is counted, with the blocks it will visit, the first time it is
// seen, so that the decode gives up before the scan's data is read.
struct ScanCounter {
    jpeg_progress_mgr pub;
    int scans = 0;
    qint64 blockVisits = 0;
};

void countScans(j_common_ptr common) {
    const auto* info = reinterpret_cast<j_decompress_ptr>(common);
    auto* counter = reinterpret_cast<ScanCounter*>(common->progress);
    if (info->input_scan_number == counter->scans) {
        return;
    }
    counter->scans = info->input_scan_number;
    for (int i = 0; i < info->comps_in_scan; ++i) {
        const jpeg_component_info* component = info->cur_comp_info[i];
        counter->blockVisits += qint64(component->width_in_blocks) * component->height_in_blocks;
    }
    if (counter->scans > kMaxJpegScans || counter->blockVisits > kMaxJpegBlockVisits) {
        common->err->error_exit(common);
    }
}

// Owns the decompressor; destroying it releases all of libjpeg's memory.
class Decompressor {
public:
    explicit Decompressor(QIODevice& stream) {
        info_.err = jpeg_std_error(&errors_.pub);
        errors_.pub.error_exit = errorExit;
        errors_.pub.output_message = quietMessage;
        source_.stream = &stream;
        source_.pub.init_source = initSource;
        source_.pub.fill_input_buffer = fillInputBuffer;
        source_.pub.skip_input_data = skipInputData;
        source_.pub.resync_to_restart = jpeg_resync_to_restart;
        source_.pub.term_source = termSource;
        source_.pub.bytes_in_buffer = 0;
        source_.pub.next_input_byte = nullptr;
        scans_.pub.progress_monitor = countScans;
    }
    ~Decompressor() {
        if (created_) {
            jpeg_destroy_decompress(&info_);
        }
    }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;

    // Everything that can jump lies in here; the image lives in the object,
    // not in this frame, so nothing is left half-built by a jump.
    bool decode(QSize shownAt) {
        if (setjmp(errors_.jump) != 0) {
            return false;
        }
        jpeg_create_decompress(&info_);
        created_ = true;
        info_.src = &source_.pub;
        info_.progress = &scans_.pub;
        jpeg_read_header(&info_, TRUE);
        if (!acceptablePictureSize(info_.image_width, info_.image_height, kMaxJpegPixels)) {
            return false;
        }
        if (info_.progressive_mode || info_.arith_code) {
            source_.maxBytes = kMaxProgressiveJpegBytes;
            if (source_.bytesRead > source_.maxBytes) {
                return false;
            }
        }
        reduceFor(shownAt);
        const bool cmyk = info_.jpeg_color_space == JCS_CMYK || info_.jpeg_color_space == JCS_YCCK;
        info_.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
        jpeg_start_decompress(&info_);
        image_ = QImage(int(info_.output_width), int(info_.output_height), QImage::Format_RGB32);
        if (image_.isNull()) {
            return false;
        }
        while (info_.output_scanline < info_.output_height) {
            JSAMPROW row = image_.scanLine(int(info_.output_scanline));
            jpeg_read_scanlines(&info_, &row, 1);
            if (source_.ranOut) {
                return false;
            }
        }
        if (cmyk) {
            convertCmyk();
        }
        return !source_.ranOut;
    }

    QImage& image() { return image_; }

private:
    // libjpeg scales by a half, a quarter or an eighth while it decodes, for
    // that part of the inverse transforms, colour conversion and memory.
    // Both sides are divided alike, so the shape stays; four times the
    // size shown keeps the resampled picture within a level, on average,
    // of what the whole picture gives.
    void reduceFor(QSize shownAt) {
        if (shownAt.isEmpty()) {
            return;
        }
        for (const unsigned denominator : {8u, 4u, 2u}) {
            const auto reduced = [denominator](JDIMENSION side) {
                return (side + denominator - 1) / denominator;
            };
            if (reduced(info_.image_width) >= 4u * unsigned(shownAt.width()) &&
                reduced(info_.image_height) >= 4u * unsigned(shownAt.height())) {
                info_.scale_num = 1;
                info_.scale_denom = denominator;
                return;
            }
        }
    }

    // Adobe writes CMYK inverted (0 = full ink): then the stored values are
    // already the amounts of light.
    void convertCmyk() {
        const bool inverted = info_.saw_Adobe_marker;
        for (int y = 0; y < image_.height(); ++y) {
            uchar* p = image_.scanLine(y);
            auto* out = reinterpret_cast<QRgb*>(p);
            for (int x = 0; x < image_.width(); ++x) {
                int c = p[4 * x], m = p[4 * x + 1], yellow = p[4 * x + 2], k = p[4 * x + 3];
                if (!inverted) {
                    c = 255 - c;
                    m = 255 - m;
                    yellow = 255 - yellow;
                    k = 255 - k;
                }
                out[x] = qRgb(c * k / 255, m * k / 255, yellow * k / 255);
            }
        }
    }

    ErrorManager errors_{};
    StreamSource source_{};
    ScanCounter scans_{};
    jpeg_decompress_struct info_{};
    bool created_ = false;
    QImage image_;
};

}  // namespace

std::optional<QImage> decodeJpeg(QIODevice& stream, QSize shownAt) {
    auto decompressor = std::make_unique<Decompressor>(stream);
    if (!decompressor->decode(shownAt)) {
        return std::nullopt;
    }
    return std::move(decompressor->image());
}
