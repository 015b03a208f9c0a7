#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

// Little-endian reads that never pass the end of the data: a read beyond it
// gives nothing, so a truncated file is caught where it is read.
class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> data) : data_(data) {}

    size_t size() const { return data_.size(); }
    size_t position() const { return pos_; }
    size_t remaining() const { return data_.size() - pos_; }
    bool seek(size_t position);
    bool skip(size_t count);

    std::optional<uint8_t> u8();
    std::optional<uint16_t> u16();
    std::optional<int16_t> i16();
    std::optional<uint32_t> u32();
    std::optional<int32_t> i32();
    // The next `count` bytes, and the position after them.
    std::optional<std::span<const uint8_t>> bytes(size_t count);

private:
    std::span<const uint8_t> data_;
    size_t pos_ = 0;
};
