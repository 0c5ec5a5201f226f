#include "scenery/PolygonFileDecoder.h"

#include <string_view>
#include <utility>

namespace rollpath {
namespace {

constexpr std::array<TagEntry<PolygonTag>, 7> kPolygonTags{{
    {"<bgno>", PolygonTag::Begin},
    {"<endo>", PolygonTag::End},
    {"<orgn>", PolygonTag::Origin},
    {"<vert>", PolygonTag::VertexPool},
    {"<poly>", PolygonTag::Polygon},
    {"<auto>", PolygonTag::Automatic},
    {"<pvrt>", PolygonTag::References},
}};

constexpr std::size_t kVertexSize = 24;  // three doubles
constexpr std::size_t kIndexSize = 4;

}  // namespace

DecodeStatus PolygonFileDecoder::Stop(DecodeStatus status, std::string problem) {
    stopped_ = true;
    problem_ = std::move(problem);
    return status;
}

DecodeStatus PolygonFileDecoder::Next(PolygonFileRecord& record) {
    if (stopped_) {
        return DecodeStatus::End;
    }
    record = PolygonFileRecord{};
    if (!ReadTag(reader_, record.tag)) {
        return Stop(DecodeStatus::End);
    }
    const std::optional<PolygonTag> kind = FindTag(record.tag, kPolygonTags);
    if (!kind) {
        return Stop(DecodeStatus::UnknownTag);
    }
    record.kind = *kind;

    switch (record.kind) {
        case PolygonTag::Origin: {
            const bool complete = ReadFields(reader_, record.fieldsRead, record.origin[0], record.origin[1],
                                             record.origin[2], record.number);
            if (!complete) {
                return Stop(DecodeStatus::Truncated);
            }
            break;
        }
        case PolygonTag::VertexPool: {
            if (!reader_.U32(record.count)) {
                return Stop(DecodeStatus::Truncated);
            }
            if (record.count > maxPoolVertices_) {
                return Stop(DecodeStatus::OverLimit);
            }
            if (!reader_.Holds(record.count, kVertexSize)) {
                return Stop(DecodeStatus::Malformed, "vertex pool runs past the end of the file");
            }
            record.vertices.resize(record.count);
            for (auto& v : record.vertices) {
                reader_.F64(v[0]);
                reader_.F64(v[1]);
                reader_.F64(v[2]);
            }
            break;
        }
        case PolygonTag::References: {
            if (!reader_.U32(record.count)) {
                return Stop(DecodeStatus::Truncated);
            }
            if (!reader_.Holds(record.count, kIndexSize)) {
                return Stop(DecodeStatus::Malformed, "polygon runs past the end of the file");
            }
            record.indices.resize(record.count);
            for (std::int32_t& k : record.indices) {
                reader_.I32(k);
            }
            break;
        }
        case PolygonTag::Begin:
        case PolygonTag::End:
        case PolygonTag::Polygon:
        case PolygonTag::Automatic:
            break;
    }
    return DecodeStatus::Record;
}

}  // namespace rollpath
