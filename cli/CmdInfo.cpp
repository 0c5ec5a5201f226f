#include "cli/ArgParse.h"
#include "cli/DocumentJson.h"
#include "cli/StreamMessageSink.h"
#include "project/DocumentPipeline.h"

namespace rollpath::cli {

namespace {

constexpr const char* kInfoSynopsis =
    "rollpath-cli info CODE [COMMON]\n"
    "COMMON: --fly-dir DIR --output-dir DIR --project-dir DIR --settings FILE.ini --seed N";

}  // namespace

int RunInfo(const Args& args, std::ostream& out, std::ostream& err) {
    CommonOptions options;
    std::string code;
    CommandParser app("info", kInfoSynopsis);
    app.add_option("CODE", code, "the airport's FAA or ICAO code")->required();
    AddCommonOptions(app, options);
    if (const std::optional<int> status = ParseArgs(app, args, out, err)) {
        return *status;
    }

    // With the files already saved for the airport read back.
    CommandDocument command(err);
    if (!command.Open(options, code)) {
        return kExitFailure;
    }
    const CRollpathDoc& doc = command.doc;

    JsonWriter json(out);
    json.BeginObject();
    json.Key("code").AnsiString(doc.m_szCode);
    json.Field("airportLoaded", doc.m_bAirportLoaded != 0);
    json.Key("airport");
    WriteAirportRecord(json, doc.m_Airport);
    json.Key("runways");
    WriteRunways(json, doc);
    json.Key("segments");
    WriteSegments(json, doc);
    json.EndObject();
    out << '\n';
    return kExitSuccess;
}

}  // namespace rollpath::cli
