#include "imaging/ByteReader.h"

bool ByteReader::seek(size_t position) {
    if (position > data_.size()) {
        return false;
    }
    pos_ = position;
    return true;
}

bool ByteReader::skip(size_t count) {
    return count <= remaining() && seek(pos_ + count);
}

std::optional<uint8_t> ByteReader::u8() {
    if (remaining() < 1) {
        return std::nullopt;
    }
    return data_[pos_++];
}

std::optional<uint16_t> ByteReader::u16() {
    if (remaining() < 2) {
        return std::nullopt;
    }
    const uint16_t value = uint16_t(data_[pos_] | (data_[pos_ + 1] << 8));
    pos_ += 2;
    return value;
}

std::optional<int16_t> ByteReader::i16() {
    const auto value = u16();
    return value ? std::optional<int16_t>(int16_t(*value)) : std::nullopt;
}

std::optional<uint32_t> ByteReader::u32() {
    if (remaining() < 4) {
        return std::nullopt;
    }
    const uint32_t value = uint32_t(data_[pos_]) | (uint32_t(data_[pos_ + 1]) << 8) |
                           (uint32_t(data_[pos_ + 2]) << 16) | (uint32_t(data_[pos_ + 3]) << 24);
    pos_ += 4;
    return value;
}

std::optional<int32_t> ByteReader::i32() {
    const auto value = u32();
    return value ? std::optional<int32_t>(int32_t(*value)) : std::nullopt;
}

std::optional<std::span<const uint8_t>> ByteReader::bytes(size_t count) {
    if (remaining() < count) {
        return std::nullopt;
    }
    const auto part = data_.subspan(pos_, count);
    pos_ += count;
    return part;
}
