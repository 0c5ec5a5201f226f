#include "scenery/NetworkFileDecoder.h"

#include <string_view>

namespace rollpath {
namespace {

constexpr std::array<TagEntry<NetworkTag>, 10> kNetworkTags{{
    {"<bgno>", NetworkTag::Begin},
    {"<endo>", NetworkTag::End},
    {"<node>", NetworkTag::Node},
    {"<orgn>", NetworkTag::Origin},
    {"<vloc>", NetworkTag::Location},
    {"<flow>", NetworkTag::Flow},
    {"<edge>", NetworkTag::Edge},
    {"<thck>", NetworkTag::Thickness},
    {"<type>", NetworkTag::Type},
    {"<nply>", NetworkTag::NoPolygon},
}};

}  // namespace

DecodeStatus NetworkFileDecoder::Next(NetworkRecord& record) {
    if (stopped_) {
        return DecodeStatus::End;
    }
    record = NetworkRecord{};
    if (!ReadTag(reader_, record.tag)) {
        stopped_ = true;
        return DecodeStatus::End;
    }
    const std::optional<NetworkTag> kind = FindTag(record.tag, kNetworkTags);
    if (!kind) {
        stopped_ = true;
        return DecodeStatus::UnknownTag;
    }
    record.kind = *kind;

    int& n = record.fieldsRead;
    bool complete = true;
    switch (record.kind) {
        case NetworkTag::Origin:
            complete =
                ReadFields(reader_, n, record.values[0], record.values[1], record.values[2], record.number);
            break;
        case NetworkTag::Location:
            complete = ReadFields(reader_, n, record.values[0], record.values[1], record.values[2]);
            break;
        case NetworkTag::Flow:
        case NetworkTag::Type:
            complete = ReadFields(reader_, n, record.number);
            break;
        case NetworkTag::Edge:
            complete = ReadFields(reader_, n, record.nodes[0], record.nodes[1]);
            break;
        case NetworkTag::Thickness:
            complete = ReadFields(reader_, n, record.width);
            break;
        case NetworkTag::Begin:
        case NetworkTag::End:
        case NetworkTag::Node:
        case NetworkTag::NoPolygon:
            break;
    }
    if (!complete) {
        stopped_ = true;
        return DecodeStatus::Truncated;
    }
    return DecodeStatus::Record;
}

}  // namespace rollpath
