#pragma once

// The records of a network file (.bgr) in file order with their payloads.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "scenery/BinaryIO.h"
#include "scenery/TaggedRecords.h"

namespace rollpath {

enum class NetworkTag { Begin, End, Node, Origin, Location, Flow, Edge, Thickness, Type, NoPolygon };

struct NetworkRecord {
    RecordTag tag;
    NetworkTag kind = NetworkTag::Begin;
    int fieldsRead = 0;                   // payload fields decoded (less than all when truncated)
    std::array<double, 3> values{};       // "<orgn>": lat, lon (arcseconds), 0.0; "<vloc>": x, 0.0, y
    std::int32_t number = 0;              // "<orgn>": 1; "<flow>": 1 source, else sink; "<type>"
    std::array<std::int32_t, 2> nodes{};  // "<edge>": node numbers in order of appearance
    float width = 0.0f;                   // "<thck>": feet
};

class NetworkFileDecoder {
public:
    explicit NetworkFileDecoder(std::span<const std::uint8_t> data) : reader_(data) {}
    // The next record; after any status but Record the decoder only gives End.
    DecodeStatus Next(NetworkRecord& record);
    // How far decoding got: where the next record would start, or where the
    // data ended inside a record.
    std::size_t Offset() const { return reader_.offset(); }

private:
    ByteReader reader_;
    bool stopped_ = false;
};

}  // namespace rollpath
