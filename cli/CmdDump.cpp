#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <string_view>

#include "cli/ArgParse.h"
#include "cli/Dump.h"
#include "document/Utf8Path.h"
#include "document/WholeFile.h"

namespace rollpath::cli {

namespace {

constexpr const char* kDumpSynopsis = "rollpath-cli dump FILE   (FILE: .bgr .txp .tms .txd or Rollpath.rpj)";

enum class DumpFormat { Network, Polygon, Pavement, Side, ProjectList };

struct FormatEntry {
    std::string_view extension;
    DumpFormat format;
};

constexpr FormatEntry kFormats[] = {
    {".bgr", DumpFormat::Network}, {".txp", DumpFormat::Polygon},     {".tms", DumpFormat::Pavement},
    {".txd", DumpFormat::Side},    {".rpj", DumpFormat::ProjectList},
};

// Chosen by the file name's extension, whatever its case.
std::optional<FormatEntry> FormatOf(const std::filesystem::path& path) {
    std::string extension = Utf8FromPath(path.extension());
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const FormatEntry& entry : kFormats) {
        if (entry.extension == extension) {
            return entry;
        }
    }
    return std::nullopt;
}

std::optional<DumpStop> DumpRecords(JsonWriter& json, DumpFormat format,
                                    const std::vector<std::uint8_t>& bytes) {
    switch (format) {
        case DumpFormat::Network:
            return DumpNetworkFile(json, bytes);
        case DumpFormat::Polygon:
            return DumpPolygonFile(json, bytes);
        case DumpFormat::Pavement:
            return DumpPavementFile(json, bytes);
        case DumpFormat::Side:
            return DumpSideFile(json, bytes);
        case DumpFormat::ProjectList:
            DumpProjectList(json,
                            std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
            return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace

int RunDump(const Args& args, std::ostream& out, std::ostream& err) {
    std::string file;
    CommandParser app("dump", kDumpSynopsis);
    app.add_option("FILE", file, "a .bgr, .txp, .tms or .txd file, or Rollpath.rpj")->required();
    if (const std::optional<int> status = ParseArgs(app, args, out, err)) {
        return *status;
    }
    const std::filesystem::path path = PathFromUtf8(file);
    const std::optional<FormatEntry> format = FormatOf(path);
    if (!format) {
        return UsageError(err, "cannot tell the kind of '" + file + "' from its extension", kDumpSynopsis);
    }

    JsonWriter json(out);
    json.BeginObject();
    json.Field("file", file);
    json.Field("format", format->extension.substr(1));
    std::error_code ec;
    const std::optional<std::vector<std::uint8_t>> bytes =
        std::filesystem::is_directory(path, ec) ? std::nullopt : ReadWholeFile(path);
    std::optional<DumpStop> stop;
    if (!bytes) {
        err << "rollpath-cli: cannot open " << file << '\n';
        stop = DumpStop{"cannotOpen", "cannot open the file", std::nullopt, std::nullopt};
    } else {
        json.Field("size", bytes->size());
        stop = DumpRecords(json, format->format, *bytes);
    }
    if (stop) {
        json.Key("error");
        WriteStop(json, *stop);
    }
    json.EndObject();
    out << '\n';
    return stop ? kExitFailure : kExitSuccess;
}

}  // namespace rollpath::cli
