#include "cli/Dump.h"
#include "scenery/PolygonFileDecoder.h"

namespace rollpath::cli {

namespace {

// Numbers the vertex pools and polygons, and follows the automatic flag, as
// the reader does.
class PolygonDump {
public:
    explicit PolygonDump(JsonWriter& json) : json_(json) {}

    void Write(const PolygonFileRecord& r, bool complete) {
        json_.BeginObject();
        WriteRecordStart(json_, r.tag, complete);
        WritePayload(r, complete);
        json_.EndObject();
    }

private:
    void WritePayload(const PolygonFileRecord& r, bool complete) {
        switch (r.kind) {
            case PolygonTag::Origin:
                WriteOriginFields(json_, r.origin, r.number, r.fieldsRead);
                break;
            case PolygonTag::VertexPool:
                json_.Field("pool", pools_++);
                WriteCount(r, complete);
                json_.Key("vertices").BeginArray();
                for (const std::array<double, 3>& v : r.vertices) {
                    json_.BeginObject();
                    WriteTripleFields(json_, v, 3);
                    json_.EndObject();
                }
                json_.EndArray();
                break;
            case PolygonTag::Polygon:
                automatic_ = false;
                break;
            case PolygonTag::Automatic:
                automatic_ = true;
                break;
            case PolygonTag::References:
                json_.Field("polygon", polygons_++);
                json_.Field("automatic", automatic_);
                json_.Key("pool");
                if (pools_ > 0) {
                    json_.Int(pools_ - 1);
                } else {
                    json_.Null();
                }
                WriteCount(r, complete);
                json_.Key("indices").BeginArray();
                for (const std::int32_t k : r.indices) {
                    json_.Int(k);
                }
                json_.EndArray();
                break;
            case PolygonTag::Begin:
            case PolygonTag::End:
                break;
        }
    }

    // The count as stored (a signed int). Of an incomplete record only a
    // count that runs past the end of the file was read; a count of 0
    // always fits, so a zero there was never read.
    void WriteCount(const PolygonFileRecord& r, bool complete) {
        if (complete || r.count != 0) {
            json_.Field("count", static_cast<std::int32_t>(r.count));
        }
    }

    JsonWriter& json_;
    int pools_ = 0;
    int polygons_ = 0;
    bool automatic_ = false;
};

}  // namespace

std::optional<DumpStop> DumpPolygonFile(JsonWriter& json, std::span<const std::uint8_t> data) {
    PolygonFileDecoder decoder(data);
    PolygonFileRecord record;
    PolygonDump dump(json);
    return DumpTaggedRecords(json, data, decoder, record,
                             [&](const PolygonFileRecord& r, bool complete) { dump.Write(r, complete); });
}

}  // namespace rollpath::cli
