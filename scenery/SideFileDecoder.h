#pragma once

// The records of an attribute side file (.txd): a segment count, the segment
// records, a vertex count and the vertex records. The file has no tags.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "scenery/BinaryIO.h"
#include "scenery/TaggedRecords.h"

namespace rollpath {

enum class SideRecordKind { SegmentCount, Segment, VertexCount, Vertex };

struct SideSegmentRecord {
    std::int32_t vertex0 = 0;
    std::int32_t vertex1 = 0;
    std::int32_t flags = 0;
    std::int32_t reserved = 0;
    double extent1 = 0.0;  // the vertex1 end comes first
    double extent0 = 0.0;
};

struct SideVertexRecord {
    double x = 0.0;
    double y = 0.0;
    std::int32_t flags = 0;
    std::array<std::int32_t, 3> reserved{};
};

struct SideFileRecord {
    SideRecordKind kind = SideRecordKind::SegmentCount;
    std::size_t offset = 0;  // of the record in the file
    std::int32_t count = 0;  // SegmentCount, VertexCount
    SideSegmentRecord segment;
    SideVertexRecord vertex;
};

class SideFileDecoder {
public:
    explicit SideFileDecoder(std::span<const std::uint8_t> data) : reader_(data) {}
    // The next record: Record, End after the last vertex record (bytes beyond
    // it are not looked at), or Truncated when the data ends inside the
    // record. After any status but Record the decoder only gives End.
    DecodeStatus Next(SideFileRecord& record);
    // How far decoding got: where the next record would start, or where the
    // data ended inside a record.
    std::size_t Offset() const { return reader_.offset(); }

private:
    ByteReader reader_;
    SideRecordKind expected_ = SideRecordKind::SegmentCount;
    std::int64_t left_ = 0;  // records of the current kind still to come
    bool stopped_ = false;
};

}  // namespace rollpath
