#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "imaging/ByteReader.h"

class MetafileCanvas;

// What the Windows and the enhanced metafile players share beyond the
// canvas: the walk over a file's records, and the device-context records
// that both formats know under their own codes.

// A file of more records than this is broken or hostile, never a picture.
inline constexpr size_t kMaxMetafileRecords = 1'000'000;

// What reading one record found.
template <class Record>
struct MetafileRecordRead {
    enum Kind { Broken, End, One } kind;
    Record record{};
};

// The records, each within the data, up to the end record; nothing when one
// runs past the end, the end record is missing (a cut file) or there are too
// many. `readOne(in)` reads the record at the reader's position.
template <class Record, class ReadOne>
std::optional<std::vector<Record>> readMetafileRecords(ByteReader& in, ReadOne readOne) {
    std::vector<Record> records;
    while (records.size() < kMaxMetafileRecords) {
        const MetafileRecordRead<Record> read = readOne(in);
        if (read.kind == MetafileRecordRead<Record>::Broken) {
            return std::nullopt;
        }
        if (read.kind == MetafileRecordRead<Record>::End) {
            return records;
        }
        records.push_back(read.record);
    }
    return std::nullopt;
}

// The records that set the device context's state, by what they set.
enum class MetafileState {
    BackgroundMode,
    BackgroundColour,
    TextColour,
    TextAlign,
    PolyFillMode,
    SaveDc,
    RestoreDc
};

// A format's codes of those records.
struct MetafileStateCodes {
    uint32_t backgroundMode, backgroundColour, textColour, textAlign, polyFillMode, saveDc,
        restoreDc;

    std::optional<MetafileState> stateOf(uint32_t code) const;
};

// Plays a state record given its first parameter as the format reads it
// (none when the record is cut short). True when a restore brought back
// another mapping, which the player then applies.
bool playStateRecord(MetafileCanvas& canvas, MetafileState record,
                     std::optional<int64_t> parameter);
