#include "scenery/BinaryIO.h"

#include <bit>
#include <cassert>
#include <fstream>

namespace rollpath {

void ByteWriter::Tag(std::string_view tag) {
    assert(tag.size() == 6);
    Text(tag);
}

void ByteWriter::Text(std::string_view text) {
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    bytes_.push_back(0);
}

void ByteWriter::U32(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        bytes_.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void ByteWriter::I32(std::int32_t value) {
    U32(static_cast<std::uint32_t>(value));
}

void ByteWriter::F32(float value) {
    U32(std::bit_cast<std::uint32_t>(value));
}

void ByteWriter::F64(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    for (int shift = 0; shift < 64; shift += 8) {
        bytes_.push_back(static_cast<std::uint8_t>(bits >> shift));
    }
}

void ByteWriter::Bytes(std::span<const std::uint8_t> bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

bool ByteReader::U8(std::uint8_t& out) {
    if (remaining() < 1) {
        return false;
    }
    out = data_[pos_++];
    return true;
}

bool ByteReader::U32(std::uint32_t& out) {
    if (remaining() < 4) {
        return false;
    }
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | data_[pos_ + static_cast<std::size_t>(i)];
    }
    pos_ += 4;
    out = value;
    return true;
}

bool ByteReader::I32(std::int32_t& out) {
    std::uint32_t value = 0;
    if (!U32(value)) {
        return false;
    }
    out = static_cast<std::int32_t>(value);
    return true;
}

bool ByteReader::F32(float& out) {
    std::uint32_t value = 0;
    if (!U32(value)) {
        return false;
    }
    out = std::bit_cast<float>(value);
    return true;
}

bool ByteReader::F64(double& out) {
    if (remaining() < 8) {
        return false;
    }
    std::uint64_t value = 0;
    for (int i = 7; i >= 0; --i) {
        value = (value << 8) | data_[pos_ + static_cast<std::size_t>(i)];
    }
    pos_ += 8;
    out = std::bit_cast<double>(value);
    return true;
}

bool ByteReader::Skip(std::size_t count) {
    if (remaining() < count) {
        return false;
    }
    pos_ += count;
    return true;
}

bool ByteReader::Holds(std::uint64_t count, std::size_t itemSize) const {
    if (itemSize == 0) {
        return true;
    }
    return count <= remaining() / itemSize;
}

}  // namespace rollpath
