#include "cli/FindingsOutput.h"

#include "checks/ObjectNames.h"
#include "document/AnsiText.h"

namespace rollpath::cli {

void WriteFindingLines(std::ostream& out, std::span<const Finding> findings, const char* prefix) {
    for (const Finding& f : findings) {
        out << prefix << SeverityName(f.severity) << ' ' << InfoOf(f.check).id << ' '
            << FormatPoint(f.location) << ": " << AnsiToUtf8(f.message) << '\n';
    }
}

void WriteFindingsJson(JsonWriter& json, std::span<const Finding> findings) {
    json.BeginArray();
    for (const Finding& f : findings) {
        json.BeginObject();
        json.Field("id", InfoOf(f.check).id);
        json.Field("severity", std::string_view(SeverityName(f.severity)));
        json.Key("message").AnsiString(f.message);
        json.Field("x", f.location.x);
        json.Field("y", f.location.y);
        json.Key("object");
        json.BeginObject();
        json.Field("kind", std::string_view(ObjectKindName(f.object.kind)));
        json.Field("index", f.object.index);
        json.EndObject();
        json.EndObject();
    }
    json.EndArray();
}

void WriteCountsJson(JsonWriter& json, const FindingCounts& counts) {
    json.BeginObject();
    for (const CheckInfo& info : AllChecks()) {
        json.Field(info.id, counts.Of(info.check));
    }
    json.EndObject();
}

}  // namespace rollpath::cli
