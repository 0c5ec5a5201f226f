#include "cli/Dump.h"
#include "scenery/SideFileDecoder.h"

namespace rollpath::cli {

namespace {

const char* RecordName(SideRecordKind kind) {
    switch (kind) {
        case SideRecordKind::SegmentCount:
            return "segmentCount";
        case SideRecordKind::Segment:
            return "segment";
        case SideRecordKind::VertexCount:
            return "vertexCount";
        case SideRecordKind::Vertex:
            return "vertex";
    }
    return "";
}

// What the file ended inside of.
const char* RecordDescription(SideRecordKind kind) {
    switch (kind) {
        case SideRecordKind::SegmentCount:
            return "segment count";
        case SideRecordKind::Segment:
            return "segment record";
        case SideRecordKind::VertexCount:
            return "vertex count";
        case SideRecordKind::Vertex:
            return "vertex record";
    }
    return "";
}

void WriteSegment(JsonWriter& json, const SideSegmentRecord& s) {
    json.Field("vertex0", s.vertex0);
    json.Field("vertex1", s.vertex1);
    json.Field("flags", s.flags);
    json.Field("reserved", s.reserved);
    json.Field("extent1", s.extent1);
    json.Field("extent0", s.extent0);
}

void WriteVertex(JsonWriter& json, const SideVertexRecord& v) {
    json.Field("x", v.x);
    json.Field("y", v.y);
    json.Field("flags", v.flags);
    json.Key("reserved").BeginArray();
    for (const std::int32_t r : v.reserved) {
        json.Int(r);
    }
    json.EndArray();
}

}  // namespace

std::optional<DumpStop> DumpSideFile(JsonWriter& json, std::span<const std::uint8_t> data) {
    SideFileDecoder decoder(data);
    SideFileRecord r;
    std::optional<DumpStop> stop;
    int index = 0;  // of the segment or vertex record among its kind
    json.Key("records").BeginArray();
    for (;;) {
        const DecodeStatus status = decoder.Next(r);
        if (status == DecodeStatus::End) {
            break;
        }
        if (status != DecodeStatus::Record) {
            // Records have a fixed size: one the file ends inside holds nothing.
            stop = DumpStop{"truncated", std::string("the file ends inside the ") + RecordDescription(r.kind),
                            r.offset, std::nullopt};
            break;
        }
        json.BeginObject();
        json.Field("offset", r.offset);
        json.Field("record", RecordName(r.kind));
        switch (r.kind) {
            case SideRecordKind::SegmentCount:
            case SideRecordKind::VertexCount:
                json.Field("count", r.count);
                index = 0;
                break;
            case SideRecordKind::Segment:
                json.Field("index", index++);
                WriteSegment(json, r.segment);
                break;
            case SideRecordKind::Vertex:
                json.Field("index", index++);
                WriteVertex(json, r.vertex);
                break;
        }
        json.EndObject();
    }
    json.EndArray();
    if (!stop) {
        // The reader never looks past the last vertex record.
        json.Field("trailingBytes", data.size() - decoder.Offset());
    }
    return stop;
}

}  // namespace rollpath::cli
