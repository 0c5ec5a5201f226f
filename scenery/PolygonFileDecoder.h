#pragma once

// The records of a polygon file (.txp) in file order with their payloads.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "scenery/BinaryIO.h"
#include "scenery/TaggedRecords.h"

namespace rollpath {

enum class PolygonTag { Begin, End, Origin, VertexPool, Polygon, Automatic, References };

struct PolygonFileRecord {
    RecordTag tag;  // the banner text is in tag.trailing
    PolygonTag kind = PolygonTag::Begin;
    int fieldsRead = 0;              // "<orgn>": payload fields decoded
    std::array<double, 3> origin{};  // "<orgn>": lat, lon (arcseconds), 0.0
    std::int32_t number = 0;         // "<orgn>": 1
    // "<vert>" and "<pvrt>": the stored count (an int in the file, taken
    // unsigned so that a negative one is simply too large).
    std::uint32_t count = 0;
    std::vector<std::array<double, 3>> vertices;  // "<vert>": x, 0.0, y
    std::vector<std::int32_t> indices;            // "<pvrt>": into the latest vertex pool
};

class PolygonFileDecoder {
public:
    // A "<vert>" count above maxPoolVertices stops decoding with OverLimit
    // before any of its vertices is read.
    explicit PolygonFileDecoder(std::span<const std::uint8_t> data,
                                std::uint32_t maxPoolVertices = kNoCountLimit)
        : reader_(data), maxPoolVertices_(maxPoolVertices) {}

    // The next record; after any status but Record the decoder only gives End.
    DecodeStatus Next(PolygonFileRecord& record);
    // How far decoding got: where the next record would start, or where the
    // data ended inside a record.
    std::size_t Offset() const { return reader_.offset(); }
    // What made the last step Malformed.
    const std::string& Problem() const { return problem_; }

private:
    DecodeStatus Stop(DecodeStatus status, std::string problem = {});

    ByteReader reader_;
    std::uint32_t maxPoolVertices_;
    bool stopped_ = false;
    std::string problem_;
};

}  // namespace rollpath
