// check CODE: the layout checks on an airport opened as `build` opens it.

#include "checks/LayoutChecks.h"
#include "cli/ArgParse.h"
#include "cli/FindingsOutput.h"
#include "cli/Json.h"
#include "cli/StreamMessageSink.h"
#include "document/AnsiText.h"
#include "project/DocumentPipeline.h"

namespace rollpath::cli {

namespace {

constexpr const char* kCheckSynopsis =
    "rollpath-cli check CODE [--format text|json] [--only ID,...] [COMMON]\n"
    "COMMON: --fly-dir DIR --output-dir DIR --project-dir DIR --settings FILE.ini --seed N";

struct CheckArgs {
    CommonOptions common;
    std::string code;
    std::string format = "text";
    std::optional<CheckSet> only;
};

// Fills `parsed`: nothing when the arguments were taken, else the exit
// status with the help or the usage error written out.
std::optional<int> ParseCheckArgs(const Args& args, CheckArgs& parsed, std::ostream& out, std::ostream& err) {
    CommandParser app("check", kCheckSynopsis);
    app.add_option("CODE", parsed.code, "the airport's FAA or ICAO code")->required();
    app.add_option("--format", parsed.format, "text (one finding a line) or json")
        ->check(CLI::IsMember({"text", "json"}))
        ->type_name("text|json");
    app.add_option_function<std::string>(
           "--only",
           [&parsed](const std::string& text) {
               std::string unknown;
               parsed.only = ParseCheckList(text, &unknown);
               if (!parsed.only) {
                   throw CLI::ValidationError("--only", "no check is called '" + unknown + "'");
               }
           },
           "run these checks alone, by id, separated by commas")
        ->type_name("ID,...");
    AddCommonOptions(app, parsed.common);
    return ParseArgs(app, args, out, err);
}

void WriteJson(std::ostream& out, const CRollpathDoc& doc, const std::vector<Finding>& findings) {
    const FindingCounts counts = CountFindings(findings);
    JsonWriter json(out);
    json.BeginObject();
    json.Key("code").AnsiString(doc.m_szCode);
    json.Field("errors", counts.errors);
    json.Field("warnings", counts.warnings);
    json.Key("counts");
    WriteCountsJson(json, counts);
    json.Key("findings");
    WriteFindingsJson(json, findings);
    json.EndObject();
    out << '\n';
}

}  // namespace

int RunCheck(const Args& args, std::ostream& out, std::ostream& err) {
    CheckArgs parsed;
    if (const std::optional<int> status = ParseCheckArgs(args, parsed, out, err)) {
        return *status;
    }
    CommandDocument command(err);
    if (!command.Open(parsed.common, parsed.code)) {
        return kExitFailure;
    }
    CRollpathDoc& doc = command.doc;
    PrepareOpenedDocument(doc);
    const std::vector<Finding> findings =
        RunLayoutChecks(doc, parsed.only.value_or(EnabledChecks(command.settings.DisabledChecks)));
    if (parsed.format == "json") {
        WriteJson(out, doc, findings);
    } else {
        WriteFindingLines(out, findings);
        out << AnsiToUtf8(doc.m_szCode) << ": " << FindingCountText(CountFindings(findings)) << '\n';
    }
    return CountFindings(findings).errors == 0 ? kExitSuccess : kExitFailure;
}

}  // namespace rollpath::cli
