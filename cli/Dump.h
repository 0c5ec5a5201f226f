#pragma once

// `rollpath-cli dump FILE`: the records of a scenery file or of the project
// list as JSON, in file order, with their offsets and decoded payloads. The
// scenery decoders run without count limits, so a dump also shows files the
// editor's readers would refuse; where decoding stops early, everything read
// before is printed and the reason follows as the "error" member.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "cli/Json.h"
#include "scenery/TaggedRecords.h"

namespace rollpath::cli {

// Why decoding stopped before the end of the file.
struct DumpStop {
    std::string kind;  // "truncated", "unknownTag", "malformed", "overLimit"
    std::string message;
    std::optional<std::size_t> offset;  // of the record (or the bytes) where decoding stopped
    std::optional<std::string> tag;     // the six characters of an unknown tag
};

// Each dumper writes its members (at least "records") into the open object.
std::optional<DumpStop> DumpNetworkFile(JsonWriter& json, std::span<const std::uint8_t> data);
std::optional<DumpStop> DumpPolygonFile(JsonWriter& json, std::span<const std::uint8_t> data);
std::optional<DumpStop> DumpPavementFile(JsonWriter& json, std::span<const std::uint8_t> data);
std::optional<DumpStop> DumpSideFile(JsonWriter& json, std::span<const std::uint8_t> data);
// The project list is text and always reads to its end.
void DumpProjectList(JsonWriter& json, std::string_view text);

// --- Pieces shared by the dumpers of the tagged files ---------------------

// "offset", "tag" (the six characters), "banner" (the text after them, when
// there is any) and, for a record the file ends inside, "complete": false.
void WriteRecordStart(JsonWriter& json, const RecordTag& tag, bool complete);

// The origin payload, as far as it was read: latitude and longitude in
// arcseconds and in degrees, the height and the number.
void WriteOriginFields(JsonWriter& json, const std::array<double, 3>& values, std::int64_t number,
                       int fieldsRead);

// x, height, y as far as they were read.
void WriteTripleFields(JsonWriter& json, const std::array<double, 3>& values, int fieldsRead);

// The stop for a status other than Record and End; problem is the decoder's
// text for Malformed.
DumpStop StopFor(DecodeStatus status, const RecordTag& tag, const std::string& problem);

// The stop for bytes after the last record that are too few for a tag.
std::optional<DumpStop> StopForLeftover(std::size_t offset, std::size_t size);

void WriteStop(JsonWriter& json, const DumpStop& stop);

// Runs a decoder to its end: each record (a whole one, or the part read of
// one the file ends inside) goes to writeRecord(record, complete).
template <typename Decoder, typename Record, typename WriteRecord>
std::optional<DumpStop> DumpTaggedRecords(JsonWriter& json, std::span<const std::uint8_t> data,
                                          Decoder& decoder, Record& record, WriteRecord writeRecord) {
    json.Key("records").BeginArray();
    std::optional<DumpStop> stop;
    for (;;) {
        const DecodeStatus status = decoder.Next(record);
        if (status == DecodeStatus::End) {
            stop = StopForLeftover(decoder.Offset(), data.size());
            break;
        }
        if (status == DecodeStatus::Record) {
            writeRecord(record, true);
            continue;
        }
        if (status != DecodeStatus::UnknownTag) {
            writeRecord(record, false);
        }
        std::string problem;
        if constexpr (requires { decoder.Problem(); }) {
            problem = decoder.Problem();
        }
        stop = StopFor(status, record.tag, problem);
        break;
    }
    json.EndArray();
    return stop;
}

}  // namespace rollpath::cli
