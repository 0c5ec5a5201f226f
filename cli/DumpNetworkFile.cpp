#include "cli/Dump.h"
#include "scenery/NetworkFileDecoder.h"

namespace rollpath::cli {

namespace {

// Numbers the nodes and edges as the reader counts them, so that an edge's
// node numbers and an attribute's edge can be followed in the dump.
class NetworkDump {
public:
    explicit NetworkDump(JsonWriter& json) : json_(json) {}

    void Write(const NetworkRecord& r, bool complete) {
        json_.BeginObject();
        WriteRecordStart(json_, r.tag, complete);
        WritePayload(r, complete);
        json_.EndObject();
    }

private:
    void WritePayload(const NetworkRecord& r, bool complete) {
        switch (r.kind) {
            case NetworkTag::Origin:
                WriteOriginFields(json_, r.values, r.number, r.fieldsRead);
                break;
            case NetworkTag::Location:
                if (complete) {
                    json_.Field("node", nodes_++);
                }
                WriteTripleFields(json_, r.values, r.fieldsRead);
                break;
            case NetworkTag::Flow:
                WriteLatest("node", nodes_);
                if (r.fieldsRead >= 1) {
                    json_.Field("value", r.number);
                    json_.Field("meaning", r.number == 1 ? "source" : "sink");
                }
                break;
            case NetworkTag::Edge:
                if (complete) {
                    json_.Field("edge", edges_++);
                }
                json_.Key("nodes").BeginArray();
                for (int i = 0; i < r.fieldsRead; ++i) {
                    json_.Int(r.nodes[static_cast<std::size_t>(i)]);
                }
                json_.EndArray();
                break;
            case NetworkTag::Thickness:
                WriteLatest("edge", edges_);
                if (r.fieldsRead >= 1) {
                    json_.Field("width", r.width);
                }
                break;
            case NetworkTag::Type:
                WriteLatest("edge", edges_);
                if (r.fieldsRead >= 1) {
                    json_.Field("type", r.number);
                }
                break;
            case NetworkTag::NoPolygon:
                WriteLatest("edge", edges_);
                break;
            case NetworkTag::Begin:
            case NetworkTag::End:
            case NetworkTag::Node:
                break;
        }
    }

    // The latest node or edge a record applies to; null before the first.
    void WriteLatest(const char* key, int count) {
        json_.Key(key);
        if (count > 0) {
            json_.Int(count - 1);
        } else {
            json_.Null();
        }
    }

    JsonWriter& json_;
    int nodes_ = 0;
    int edges_ = 0;
};

}  // namespace

std::optional<DumpStop> DumpNetworkFile(JsonWriter& json, std::span<const std::uint8_t> data) {
    NetworkFileDecoder decoder(data);
    NetworkRecord record;
    NetworkDump dump(json);
    return DumpTaggedRecords(json, data, decoder, record,
                             [&](const NetworkRecord& r, bool complete) { dump.Write(r, complete); });
}

}  // namespace rollpath::cli
