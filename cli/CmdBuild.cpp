#include "cli/ArgParse.h"
#include "cli/Json.h"
#include "cli/StreamMessageSink.h"
#include "document/InstallPaths.h"
#include "document/Utf8Path.h"
#include "project/DocumentPipeline.h"

namespace rollpath::cli {

namespace {

constexpr const char* kSynopsis =
    "rollpath-cli build CODE [--tms] [--safe-mode] [COMMON]\n"
    "COMMON: --fly-dir DIR --output-dir DIR --project-dir DIR --settings FILE.ini --seed N";

void WriteSummary(std::ostream& out, const CRollpathDoc& doc, bool saved) {
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
    json.EndObject();
    out << '\n';
}

}  // namespace

int RunBuild(const Args& args, std::ostream& out, std::ostream& err) {
    CommonOptions options;
    std::string code;
    bool loadTms = false;
    bool safeMode = false;
    CommandParser app("build", kSynopsis);
    app.add_option("CODE", code, "the airport's FAA or ICAO code")->required();
    app.add_flag("--tms", loadTms, "fill the document from the airport's pavement file");
    app.add_flag("--safe-mode", safeMode, "open without the ground polygons");
    AddCommonOptions(app, options);
    if (const std::optional<int> status = ParseArgs(app, args, out, err)) {
        return *status;
    }

    Settings settings;
    CRollpathDoc doc;
    StreamMessageSink messages(err);
    doc.SetMessageSink(&messages);
    if (!PrepareDocument(options, settings, doc, err)) {
        return kExitFailure;
    }
    // As the editor opens it: the listed project, else as New.
    if (!OpenAirportByCode(doc, code, loadTms, safeMode)) {
        return kExitFailure;
    }
    PrepareOpenedDocument(doc);
    // Save as the Save command does with Shift held: even when unmodified.
    const bool saved = Save(doc);
    WriteSummary(out, doc, saved);
    return saved ? kExitSuccess : kExitFailure;
}

}  // namespace rollpath::cli
