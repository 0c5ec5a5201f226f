#include "cli/Dump.h"
#include "scenery/Origin.h"

namespace rollpath::cli {

void WriteRecordStart(JsonWriter& json, const RecordTag& tag, bool complete) {
    json.Field("offset", tag.offset);
    json.Key("tag").AnsiString(std::string_view(tag.chars.data(), tag.chars.size()));
    if (!tag.trailing.empty()) {
        json.Key("banner").AnsiString(tag.trailing);
    }
    if (!complete) {
        json.Field("complete", false);
    }
}

void WriteOriginFields(JsonWriter& json, const std::array<double, 3>& values, std::int64_t number,
                       int fieldsRead) {
    if (fieldsRead >= 1) {
        json.Field("latArcseconds", values[0]);
        json.Field("latDegrees", LatitudeFromArcseconds(values[0]));
    }
    if (fieldsRead >= 2) {
        json.Field("lonArcseconds", values[1]);
        json.Field("lonDegrees", LongitudeFromArcseconds(values[1]));
    }
    if (fieldsRead >= 3) {
        json.Field("height", values[2]);
    }
    if (fieldsRead >= 4) {
        json.Field("number", number);
    }
}

void WriteTripleFields(JsonWriter& json, const std::array<double, 3>& values, int fieldsRead) {
    static constexpr const char* kNames[] = {"x", "height", "y"};
    for (int i = 0; i < fieldsRead && i < 3; ++i) {
        json.Field(kNames[i], values[static_cast<std::size_t>(i)]);
    }
}

DumpStop StopFor(DecodeStatus status, const RecordTag& tag, const std::string& problem) {
    DumpStop stop;
    stop.offset = tag.offset;
    switch (status) {
        case DecodeStatus::UnknownTag:
            stop.kind = "unknownTag";
            stop.message = UnknownTokenMessage(tag);
            stop.tag = std::string(tag.chars.data(), tag.chars.size());
            break;
        case DecodeStatus::Malformed:
            stop.kind = "malformed";
            stop.message = problem;
            break;
        case DecodeStatus::OverLimit:
            stop.kind = "overLimit";
            stop.message = "count above the limit";
            break;
        case DecodeStatus::Truncated:
        case DecodeStatus::Record:
        case DecodeStatus::End:
            stop.kind = "truncated";
            stop.message = "the file ends inside the record";
            break;
    }
    return stop;
}

std::optional<DumpStop> StopForLeftover(std::size_t offset, std::size_t size) {
    if (offset >= size) {
        return std::nullopt;
    }
    DumpStop stop;
    stop.kind = "truncated";
    stop.message = "the file ends inside a tag";
    stop.offset = offset;
    return stop;
}

void WriteStop(JsonWriter& json, const DumpStop& stop) {
    json.BeginObject();
    json.Field("kind", stop.kind);
    json.Key("message").AnsiString(stop.message);
    if (stop.offset) {
        json.Field("offset", *stop.offset);
    }
    if (stop.tag) {
        json.Key("tag").AnsiString(*stop.tag);
    }
    json.EndObject();
}

}  // namespace rollpath::cli
