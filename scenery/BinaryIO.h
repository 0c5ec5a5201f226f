#pragma once

#include "document/WholeFile.h"

// Little-endian, field-by-field encoding of the scenery files. Every value is
// written and read one byte at a time, so the files come out the same on any
// host and no struct layout ever reaches a file.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace rollpath {

// Appends encoded values to a growing byte buffer.
class ByteWriter {
public:
    // The six characters of a tag and its terminating NUL (7 bytes).
    void Tag(std::string_view tag);
    // A text and its terminating NUL: the banners of the polygon file.
    void Text(std::string_view text);
    void U32(std::uint32_t value);
    void I32(std::int32_t value);
    void F32(float value);
    void F64(double value);
    void Bytes(std::span<const std::uint8_t> bytes);

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::size_t size() const { return bytes_.size(); }
    void clear() { bytes_.clear(); }

private:
    std::vector<std::uint8_t> bytes_;
};

// Reads encoded values from a byte buffer. A read that would pass the end
// fails, returns false and consumes nothing.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> data) : data_(data) {}

    bool U8(std::uint8_t& out);
    bool U32(std::uint32_t& out);
    bool I32(std::int32_t& out);
    bool F32(float& out);
    bool F64(double& out);
    bool Skip(std::size_t count);

    // The same, chosen by the field's type.
    bool Read(std::uint32_t& out) { return U32(out); }
    bool Read(std::int32_t& out) { return I32(out); }
    bool Read(float& out) { return F32(out); }
    bool Read(double& out) { return F64(out); }

    // True when count items of itemSize bytes each fit in what is left; safe
    // against any count a file may hold.
    bool Holds(std::uint64_t count, std::size_t itemSize) const;

    std::size_t offset() const { return pos_; }
    std::size_t remaining() const { return data_.size() - pos_; }
    bool AtEnd() const { return pos_ >= data_.size(); }

private:
    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
};

}  // namespace rollpath
