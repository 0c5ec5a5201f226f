#pragma once

// Field access to the simulator's little-endian binary layouts. Reads are
// bounded by the buffer: a field that does not fit reads as zero (or as an
// empty text), so a short buffer can never be read past its end. Writes grow
// nothing: a field that does not fit is not written.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rollpath {

using ByteSpan = std::span<const std::uint8_t>;
using Bytes = std::vector<std::uint8_t>;

inline bool FieldFits(std::size_t bufferSize, std::size_t offset, std::size_t size) {
    return offset <= bufferSize && size <= bufferSize - offset;
}

inline std::uint32_t UInt32At(ByteSpan bytes, std::size_t offset) {
    if (!FieldFits(bytes.size(), offset, 4)) {
        return 0;
    }
    return static_cast<std::uint32_t>(bytes[offset]) | (static_cast<std::uint32_t>(bytes[offset + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[offset + 2]) << 16) |
           (static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
}

inline std::int32_t Int32At(ByteSpan bytes, std::size_t offset) {
    return static_cast<std::int32_t>(UInt32At(bytes, offset));
}

inline double DoubleAt(ByteSpan bytes, std::size_t offset) {
    if (!FieldFits(bytes.size(), offset, 8)) {
        return 0.0;
    }
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        bits |= static_cast<std::uint64_t>(bytes[offset + i]) << (8 * i);
    }
    return std::bit_cast<double>(bits);
}

inline std::int8_t SignedByteAt(ByteSpan bytes, std::size_t offset) {
    if (offset >= bytes.size()) {
        return 0;
    }
    return static_cast<std::int8_t>(bytes[offset]);
}

// The text of a fixed-width field: up to fieldLength bytes, ending at the
// first NUL.
inline std::string TextAt(ByteSpan bytes, std::size_t offset, std::size_t fieldLength) {
    std::string text;
    for (std::size_t i = 0; i < fieldLength && offset + i < bytes.size(); ++i) {
        const auto c = static_cast<char>(bytes[offset + i]);
        if (c == '\0') {
            break;
        }
        text.push_back(c);
    }
    return text;
}

inline void PutUInt32(Bytes& bytes, std::size_t offset, std::uint32_t value) {
    if (!FieldFits(bytes.size(), offset, 4)) {
        return;
    }
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

inline void PutInt32(Bytes& bytes, std::size_t offset, std::int32_t value) {
    PutUInt32(bytes, offset, static_cast<std::uint32_t>(value));
}

inline void PutDouble(Bytes& bytes, std::size_t offset, double value) {
    if (!FieldFits(bytes.size(), offset, 8)) {
        return;
    }
    const auto bits = std::bit_cast<std::uint64_t>(value);
    for (std::size_t i = 0; i < 8; ++i) {
        bytes[offset + i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
}

// Copies at most fieldLength bytes of text; the rest of the field keeps its
// bytes (zero in a fresh record).
inline void PutText(Bytes& bytes, std::size_t offset, std::string_view text, std::size_t fieldLength) {
    for (std::size_t i = 0; i < fieldLength && i < text.size() && offset + i < bytes.size(); ++i) {
        bytes[offset + i] = static_cast<std::uint8_t>(text[i]);
    }
}

}  // namespace rollpath
