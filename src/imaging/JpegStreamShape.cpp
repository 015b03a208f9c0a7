#include "imaging/JpegStreamShape.h"

namespace {

constexpr uint8_t kSos = 0xda;

// Markers with no length after them: RSTn, SOI, EOI and TEM.
bool standsAlone(uint8_t marker) {
    return (marker >= 0xd0 && marker <= 0xd9) || marker == 0x01;
}

// SOF2, SOF6, SOF10 and SOF14 are progressive; SOF9 to SOF15 are coded
// arithmetically (0xcc is DAC, a table).
bool slowFrame(uint8_t marker) {
    return marker == 0xc2 || marker == 0xc6 || (marker >= 0xc9 && marker <= 0xcf && marker != 0xcc);
}

}  // namespace

JpegStreamShape jpegStreamShape(std::span<const uint8_t> stream) {
    JpegStreamShape shape;
    size_t i = 0;
    while (i + 1 < stream.size()) {
        const uint8_t marker = stream[i + 1];
        if (stream[i] != 0xff || marker == 0x00) {  // data, or a stuffed 0xff in it
            i += stream[i] == 0xff ? 2 : 1;
            continue;
        }
        if (marker == 0xff) {  // fill byte before a marker
            ++i;
            continue;
        }
        if (standsAlone(marker)) {
            i += 2;
            continue;
        }
        if (marker == kSos) {
            ++shape.scans;
        }
        shape.progressive = shape.progressive || slowFrame(marker);
        if (i + 3 >= stream.size()) {
            break;
        }
        i += 2 + ((size_t(stream[i + 2]) << 8) | stream[i + 3]);
    }
    return shape;
}
