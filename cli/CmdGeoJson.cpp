// import CODE FILE.geojson and export CODE FILE.geojson: a layout from map
// data, and the airport for GIS tools.

#include <nlohmann/json.hpp>

#include "cli/ArgParse.h"
#include "cli/StreamMessageSink.h"
#include "document/Utf8Path.h"
#include "project/DocumentPipeline.h"
#include "project/GeoJsonExport.h"
#include "project/GeoJsonImport.h"

namespace rollpath::cli {

namespace {

constexpr const char* kImportSynopsis =
    "rollpath-cli import CODE FILE.geojson [--width FEET] [COMMON]\n"
    "COMMON: --fly-dir DIR --output-dir DIR --project-dir DIR --settings FILE.ini --seed N";
constexpr const char* kExportSynopsis =
    "rollpath-cli export CODE FILE.geojson [COMMON]\n"
    "COMMON: --fly-dir DIR --output-dir DIR --project-dir DIR --settings FILE.ini --seed N";

// The airport as `build` opens it, with its pavement made.
bool OpenForExchange(CommandDocument& command, const CommonOptions& options, const std::string& code) {
    if (!command.Open(options, code)) {
        return false;
    }
    PrepareOpenedDocument(command.doc);
    return true;
}

void WriteImportSummary(std::ostream& out, const CRollpathDoc& doc, const GeoJsonImportSummary& s,
                        bool saved) {
    const nlohmann::json summary = {
        {"code", doc.m_szCode},
        {"saved", saved},
        {"imported", {{"segments", s.segments}, {"polygons", s.polygons}, {"holds", s.holds}}},
        {"skipped",
         {{"wrong_geometry", s.wrongGeometry},
          {"beyond_area", s.beyondArea},
          {"holds_unmatched", s.holdsUnmatched},
          {"other", s.otherFeatures}}},
    };
    out << summary.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

}  // namespace

int RunImport(const Args& args, std::ostream& out, std::ostream& err) {
    CommonOptions options;
    std::string code;
    std::string file;
    GeoJsonImportOptions importOptions;
    CommandParser app("import", kImportSynopsis);
    app.add_option("CODE", code, "the airport's FAA or ICAO code")->required();
    app.add_option("FILE", file, "the GeoJSON FeatureCollection to add to the airport")->required();
    app.add_option("--width", importOptions.defaultWidth, "rollpath width in feet for ways without one (50)")
        ->check(CLI::Range(kMinRollpathWidth, kMaxRollpathWidth));
    AddCommonOptions(app, options);
    if (const std::optional<int> status = ParseArgs(app, args, out, err)) {
        return *status;
    }
    CommandDocument command(err);
    if (!OpenForExchange(command, options, code)) {
        return kExitFailure;
    }
    CRollpathDoc& doc = command.doc;
    StreamMessageSink& messages = command.messages;
    const std::optional<std::string> text = ReadGeoJsonFile(PathFromUtf8(file), messages);
    if (!text) {
        return kExitFailure;
    }
    const std::optional<GeoJsonImportSummary> summary = ImportGeoJson(doc, *text, importOptions);
    if (!summary) {
        return kExitFailure;
    }
    err << ImportSummaryText(*summary) << '\n';
    const bool saved = Save(doc);
    WriteImportSummary(out, doc, *summary, saved);
    return saved ? kExitSuccess : kExitFailure;
}

int RunExport(const Args& args, std::ostream& out, std::ostream& err) {
    CommonOptions options;
    std::string code;
    std::string file;
    CommandParser app("export", kExportSynopsis);
    app.add_option("CODE", code, "the airport's FAA or ICAO code")->required();
    app.add_option("FILE", file, "the GeoJSON file to write")->required();
    AddCommonOptions(app, options);
    if (const std::optional<int> status = ParseArgs(app, args, out, err)) {
        return *status;
    }
    CommandDocument command(err);
    if (!OpenForExchange(command, options, code)) {
        return kExitFailure;
    }
    CRollpathDoc& doc = command.doc;
    StreamMessageSink& messages = command.messages;
    return ExportGeoJsonFile(doc, PathFromUtf8(file), messages) ? kExitSuccess : kExitFailure;
}

}  // namespace rollpath::cli
