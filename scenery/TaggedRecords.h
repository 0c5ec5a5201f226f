#pragma once

// The record structure shared by the network, polygon and pavement files: a
// flat sequence of records, each introduced by a tag of six characters that
// is followed by optional text (the polygon file's banners) and a NUL byte.
// Payloads have no length field; their size depends on the tag and the file.
//
// Each file has a decoder built on these pieces that reports the records in
// file order with their decoded payloads. The document readers apply those
// records to the document; a dump can print them, including the records
// before a point where the editor's reader would stop.

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "scenery/BinaryIO.h"

namespace rollpath {

inline constexpr std::size_t kTagLength = 6;

// For decoders that take a limit on a count: none.
inline constexpr std::uint32_t kNoCountLimit = std::numeric_limits<std::uint32_t>::max();

struct RecordTag {
    std::array<char, kTagLength> chars{};
    std::string trailing;    // text between the six characters and the NUL
    std::size_t offset = 0;  // of the tag's first byte in the file

    bool Is(std::string_view tag) const { return tag == std::string_view(chars.data(), chars.size()); }
    // The six characters up to the first NUL among them, as a message shows
    // them.
    std::string Name() const;
};

// One row of a file's tag table.
template <typename Kind>
struct TagEntry {
    std::string_view text;
    Kind kind;
};

// The kind of a tag in a file's table; nothing when the file does not use it.
template <typename Kind, std::size_t N>
std::optional<Kind> FindTag(const RecordTag& tag, const std::array<TagEntry<Kind>, N>& table) {
    for (const TagEntry<Kind>& entry : table) {
        if (tag.Is(entry.text)) {
            return entry.kind;
        }
    }
    return std::nullopt;
}

// Reads six bytes as the tag, then skips up to and including the next NUL (to
// the end of the data when there is none). False, consuming nothing, when
// fewer than six bytes remain: the end of the file.
bool ReadTag(ByteReader& reader, RecordTag& tag);

// Reads payload fields in order and counts those read, so that a record cut
// short by the end of the data tells how much of it is there. False when the
// data ended first.
template <typename... Fields>
bool ReadFields(ByteReader& reader, int& fieldsRead, Fields&... fields) {
    auto one = [&](auto& field) {
        if (!reader.Read(field)) {
            return false;
        }
        ++fieldsRead;
        return true;
    };
    return (one(fields) && ...);
}

// What one step of a decoder found.
enum class DecodeStatus {
    Record,      // a whole record
    End,         // the data ends cleanly before a tag
    Truncated,   // the data ends inside a record; it holds the fields read before
    UnknownTag,  // a tag this file does not use; the record holds the tag
    OverLimit,   // a count above the limit the caller asked for
    Malformed,   // a count running past the end of the data, a value no writer produces
};

// "Unknown token: " followed by the tag.
std::string UnknownTokenMessage(const RecordTag& tag);

}  // namespace rollpath
