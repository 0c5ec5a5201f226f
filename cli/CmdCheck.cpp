// check CODE: the layout checks on an airport opened as `build` opens it.

#include "checks/LayoutChecks.h"
#include "cli/Commands.h"
#include "cli/CommonOptions.h"
#include "cli/FindingsOutput.h"
#include "cli/Json.h"
#include "cli/StreamMessageSink.h"
#include "document/AnsiText.h"
#include "project/DocumentPipeline.h"

namespace rollpath::cli {

namespace {

constexpr const char* kSynopsis =
    "rollpath-cli check CODE [--format text|json] [--only ID,...] [COMMON]\n"
    "COMMON: --fly-dir DIR --output-dir DIR --project-dir DIR --settings FILE.ini --seed N";

struct CheckArgs {
    CommonOptions common;
    std::string code;
    bool json = false;
    std::optional<CheckSet> only;
};

// Fills `parsed`; an error text when the arguments cannot be used.
std::string ParseCheckArgs(const Args& args, CheckArgs& parsed) {
    bool haveCode = false;
    for (std::size_t i = 0; i < args.size();) {
        std::string error;
        switch (ParseCommonOption(args, i, parsed.common, error)) {
            case OptionParse::Consumed:
                continue;
            case OptionParse::Error:
                return error;
            case OptionParse::NotCommon:
                break;
        }
        bool missing = false;
        if (const auto format = OptionValue(args, i, "--format", missing)) {
            if (*format != "text" && *format != "json") {
                return "--format takes text or json, not '" + *format + "'";
            }
            parsed.json = *format == "json";
        } else if (const auto only = OptionValue(args, i, "--only", missing)) {
            std::string unknown;
            parsed.only = ParseCheckList(*only, &unknown);
            if (!parsed.only) {
                return "--only: no check is called '" + unknown + "'";
            }
        } else if (missing) {
            return args[i] + " needs a value";
        } else if (args[i].starts_with("--") || haveCode) {
            return "unexpected argument '" + args[i] + "'";
        } else {
            parsed.code = args[i++];
            haveCode = true;
        }
    }
    return haveCode ? std::string() : "missing CODE";
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
    const std::string error = ParseCheckArgs(args, parsed);
    if (!error.empty()) {
        return UsageError(err, error, kSynopsis);
    }
    Settings settings;
    CRollpathDoc doc;
    StreamMessageSink messages(err);
    doc.SetMessageSink(&messages);
    if (!PrepareDocument(parsed.common, settings, doc, err)) {
        return kExitFailure;
    }
    if (!OpenAirportByCode(doc, parsed.code, false, false)) {
        return kExitFailure;
    }
    PrepareOpenedDocument(doc);
    const std::vector<Finding> findings =
        RunLayoutChecks(doc, parsed.only.value_or(EnabledChecks(settings.DisabledChecks)));
    if (parsed.json) {
        WriteJson(out, doc, findings);
    } else {
        WriteFindingLines(out, findings);
        out << AnsiToUtf8(doc.m_szCode) << ": " << FindingCountText(CountFindings(findings)) << '\n';
    }
    return CountFindings(findings).errors == 0 ? kExitSuccess : kExitFailure;
}

}  // namespace rollpath::cli
