#include "scenery/NetworkFileDecoder.h"

#include <string_view>

namespace rollpath {
namespace {

struct TagName {
    std::string_view text;
    NetworkTag kind;
};

constexpr std::array<TagName, 10> kTags{{
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
    const TagName* known = nullptr;
    for (const TagName& t : kTags) {
        if (record.tag.Is(t.text)) {
            known = &t;
            break;
        }
    }
    if (known == nullptr) {
        stopped_ = true;
        return DecodeStatus::UnknownTag;
    }
    record.kind = known->kind;

    auto f64 = [&](double& v) { return reader_.F64(v) && ++record.fieldsRead > 0; };
    auto i32 = [&](std::int32_t& v) { return reader_.I32(v) && ++record.fieldsRead > 0; };
    bool complete = true;
    switch (record.kind) {
        case NetworkTag::Origin:
            complete =
                f64(record.values[0]) && f64(record.values[1]) && f64(record.values[2]) && i32(record.number);
            break;
        case NetworkTag::Location:
            complete = f64(record.values[0]) && f64(record.values[1]) && f64(record.values[2]);
            break;
        case NetworkTag::Flow:
        case NetworkTag::Type:
            complete = i32(record.number);
            break;
        case NetworkTag::Edge:
            complete = i32(record.nodes[0]) && i32(record.nodes[1]);
            break;
        case NetworkTag::Thickness:
            complete = reader_.F32(record.width) && ++record.fieldsRead > 0;
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
