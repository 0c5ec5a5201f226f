#include "checks/LayoutChecks.h"
#include "cli/ArgParse.h"
#include "cli/FindingsOutput.h"
#include "cli/Json.h"
#include "cli/StreamMessageSink.h"
#include "document/InstallPaths.h"
#include "document/Utf8Path.h"
#include "project/DocumentPipeline.h"

namespace rollpath::cli {

namespace {

constexpr const char* kBuildSynopsis =
    "rollpath-cli build CODE [--tms] [--safe-mode] [--check] [COMMON]\n"
    "COMMON: --fly-dir DIR --output-dir DIR --project-dir DIR --settings FILE.ini --seed N";

void WriteSummary(std::ostream& out, const CRollpathDoc& doc, bool saved, const FindingCounts* checked) {
    const std::filesystem::path output = OutputDirectory(doc.GetSettings());
    JsonWriter json(out);
    json.BeginObject();
    json.Key("code").AnsiString(doc.m_szCode);
    json.Field("saved", saved);
    json.Key("files");
    json.BeginObject();
    json.Field("list", Utf8FromPath(ProjectListPath(doc)));
    json.Field("txp", Utf8FromPath(output / PathFromUtf8(doc.m_szTxpName)));
    json.Field("bgr", Utf8FromPath(output / PathFromUtf8(doc.m_szBgrName)));
    json.Field("txd", Utf8FromPath(doc.ProgramDir() / PathFromUtf8(doc.m_szTxdName)));
    json.Field("tms", Utf8FromPath(output / PathFromUtf8(doc.m_szTmsName)));
    json.EndObject();
    if (checked != nullptr) {
        json.Key("check");
        json.BeginObject();
        json.Field("errors", checked->errors);
        json.Field("warnings", checked->warnings);
        json.Key("counts");
        WriteCountsJson(json, *checked);
        json.EndObject();
    }
    json.EndObject();
    out << '\n';
}

}  // namespace

int RunBuild(const Args& args, std::ostream& out, std::ostream& err) {
    CommonOptions options;
    std::string code;
    bool loadTms = false;
    bool safeMode = false;
    bool check = false;
    CommandParser app("build", kBuildSynopsis);
    app.add_option("CODE", code, "the airport's FAA or ICAO code")->required();
    app.add_flag("--tms", loadTms, "fill the document from the airport's pavement file");
    app.add_flag("--safe-mode", safeMode, "open without the ground polygons");
    app.add_flag("--check", check, "write nothing when a layout check of error severity fails");
    AddCommonOptions(app, options);
    if (const std::optional<int> status = ParseArgs(app, args, out, err)) {
        return *status;
    }

    CommandDocument command(err);
    if (!command.Open(options, code, loadTms, safeMode)) {
        return kExitFailure;
    }
    CRollpathDoc& doc = command.doc;
    PrepareOpenedDocument(doc);
    // A batch pipeline stops here rather than write a layout with errors.
    std::optional<FindingCounts> checked;
    if (check) {
        const std::vector<Finding> findings =
            RunLayoutChecks(doc, EnabledChecks(command.settings.DisabledChecks));
        WriteFindingLines(err, findings, "check: ");
        checked = CountFindings(findings);
        if (checked->errors > 0) {
            WriteSummary(out, doc, false, &*checked);
            return kExitFailure;
        }
    }
    // Save as the Save command does with Shift held: even when unmodified.
    const bool saved = Save(doc);
    WriteSummary(out, doc, saved, checked ? &*checked : nullptr);
    return saved ? kExitSuccess : kExitFailure;
}

}  // namespace rollpath::cli
