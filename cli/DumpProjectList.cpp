#include <set>

#include "cli/Dump.h"
#include "document/ProjectList.h"
#include "document/ProjectListReader.h"

namespace rollpath::cli {

namespace {

void WriteLineStart(JsonWriter& json, const char* record, const ProjectListLine& line) {
    json.Field("record", record);
    json.Field("line", line.number);
    json.Field("offset", line.offset);
}

// The entry's lines as written and what opening the airport takes from them.
void WriteEntry(JsonWriter& json, const ProjectListEntry& entry, bool duplicate) {
    json.BeginObject();
    WriteLineStart(json, "entry", entry.header);
    json.Key("header").AnsiString(entry.header.AsWritten());
    const std::string name = entry.header.SectionName();
    json.Key("name").AnsiString(name);
    // Opening the airport uses the first entry of its name only.
    json.Field("duplicate", duplicate);
    json.Key("lines").BeginArray();
    for (const std::optional<ProjectListLine>& line : entry.lines) {
        if (line) {
            json.AnsiString(line->AsWritten());
        } else {
            json.Null();
        }
    }
    json.EndArray();

    PendingProject read;
    SetPendingDefaults(read, name);
    ApplyProjectEntry(entry, read);
    json.Key("polygonFile").AnsiString(read.txpName);
    json.Key("networkFile").AnsiString(read.bgrName);
    json.Key("diagram").BeginObject();
    json.Key("path").AnsiString(read.bmpPath);
    json.Field("x", read.bmpX);
    json.Field("y", read.bmpY);
    json.Field("scale", read.bmpScale);
    json.Field("rotation", read.rotation);
    json.EndObject();
    json.EndObject();
}

void WriteLine(JsonWriter& json, const char* record, const ProjectListLine& line) {
    json.BeginObject();
    WriteLineStart(json, record, line);
    json.Key("text").AnsiString(line.AsWritten());
    json.Field("terminated", line.terminated);
    json.EndObject();
}

}  // namespace

void DumpProjectList(JsonWriter& json, std::string_view text) {
    ProjectListReader reader(text);
    ProjectListLine line;
    std::set<std::string> names;
    json.Key("records").BeginArray();
    while (reader.Next(line)) {
        if (line.IsHeader()) {
            const bool duplicate = !names.insert(line.SectionName()).second;
            WriteEntry(json, ReadProjectEntry(reader, line), duplicate);
        } else if (line.IsComment()) {
            WriteLine(json, "comment", line);
        } else {
            // Blank or stray lines, and a last line without a line feed:
            // every reader passes over them.
            WriteLine(json, "line", line);
        }
    }
    json.EndArray();
}

}  // namespace rollpath::cli
