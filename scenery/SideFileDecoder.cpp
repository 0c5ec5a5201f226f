#include "scenery/SideFileDecoder.h"

namespace rollpath {
namespace {

constexpr std::size_t kRecordSize = 32;

bool ReadSegment(ByteReader& reader, SideSegmentRecord& s) {
    if (reader.remaining() < kRecordSize) {
        return false;
    }
    reader.I32(s.vertex0);
    reader.I32(s.vertex1);
    reader.I32(s.flags);
    reader.I32(s.reserved);
    reader.F64(s.extent1);
    reader.F64(s.extent0);
    return true;
}

bool ReadVertex(ByteReader& reader, SideVertexRecord& v) {
    if (reader.remaining() < kRecordSize) {
        return false;
    }
    reader.F64(v.x);
    reader.F64(v.y);
    reader.I32(v.flags);
    for (std::int32_t& r : v.reserved) {
        reader.I32(r);
    }
    return true;
}

}  // namespace

DecodeStatus SideFileDecoder::Next(SideFileRecord& record) {
    if (stopped_) {
        return DecodeStatus::End;
    }
    // Move on to the vertex part once the segment records are done.
    if (expected_ == SideRecordKind::Segment && left_ <= 0) {
        expected_ = SideRecordKind::VertexCount;
    }
    if (expected_ == SideRecordKind::Vertex && left_ <= 0) {
        stopped_ = true;
        return DecodeStatus::End;
    }
    record = SideFileRecord{};
    record.kind = expected_;
    record.offset = reader_.offset();
    bool complete = false;
    switch (expected_) {
        case SideRecordKind::SegmentCount:
        case SideRecordKind::VertexCount:
            complete = reader_.I32(record.count);
            left_ = record.count;
            expected_ =
                expected_ == SideRecordKind::SegmentCount ? SideRecordKind::Segment : SideRecordKind::Vertex;
            break;
        case SideRecordKind::Segment:
            complete = ReadSegment(reader_, record.segment);
            --left_;
            break;
        case SideRecordKind::Vertex:
            complete = ReadVertex(reader_, record.vertex);
            --left_;
            break;
    }
    if (!complete) {
        stopped_ = true;
        return DecodeStatus::Truncated;
    }
    return DecodeStatus::Record;
}

}  // namespace rollpath
