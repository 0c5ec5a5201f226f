#include <algorithm>
#include <filesystem>

#include "cli/ArgParse.h"
#include "cli/Json.h"
#include "cli/SampleData.h"
#include "cli/StreamMessageSink.h"
#include "document/ProjectList.h"
#include "document/Utf8Path.h"
#include "document/WholeFile.h"
#include "project/DocumentPipeline.h"
#include "project/GeoJsonImport.h"
#include "simdata/SampleCsv.h"
#include "simdata/SampleInstall.h"

namespace rollpath::cli {

namespace {

constexpr const char* kSampleInstallSynopsis =
    "rollpath-cli sample-install DIR [--layout loose|epd|pod|all] [--all-airports RUNWAYS.csv]\n"
    "                            [--demo-project DIR]";

// The airport of the sample layout.
constexpr const char* kDemoCode = "KPAO";

struct SampleInstallArgs {
    std::string dir;
    std::string layoutName = "all";
    SampleLayout layout = SampleLayout::All;
    std::optional<std::string> allAirports;
    std::optional<std::string> demoProject;
};

// The sample layout imported into the demo project and saved, as the editor
// would save it (with a fixed triangulation seed, so that every install
// writes the same files). A project that has the airport already keeps it.
bool WriteDemoProject(const std::string& flyDir, const std::string& projectDir, std::ostream& err) {
    std::filesystem::create_directories(PathFromUtf8(projectDir));
    CommonOptions options;
    options.flyDir = flyDir;
    options.projectDir = projectDir;
    options.seed = 1;
    CommandDocument command(err);
    if (!command.Prepare(options)) {
        return false;
    }
    CRollpathDoc& doc = command.doc;
    const std::vector<std::string> listed = ReadProjectSections(ProjectListPath(doc));
    if (std::find(listed.begin(), listed.end(), kDemoCode) != listed.end()) {
        return true;
    }
    if (!OpenAirportByCode(doc, kDemoCode, false, false)) {
        return false;
    }
    PrepareOpenedDocument(doc);
    return ImportGeoJson(doc, SampleKpaoLayout()).has_value() && Save(doc);
}

}  // namespace

int RunSampleInstall(const Args& args, std::ostream& out, std::ostream& err) {
    SampleInstallArgs parsed;
    CommandParser app("sample-install", kSampleInstallSynopsis);
    app.add_option("DIR", parsed.dir, "the folder of the installation")->required();
    app.add_option_function<std::string>(
           "--layout",
           [&parsed](const std::string& name) {
               const std::optional<SampleLayout> known = ParseSampleLayout(name);
               if (!known) {
                   throw CLI::ValidationError("--layout", "unknown layout '" + name + "'");
               }
               parsed.layout = *known;
               parsed.layoutName = name;
           },
           "loose, epd, pod or all (the default)")
        ->type_name("LAYOUT");
    app.add_option("--all-airports", parsed.allAirports, "every positioned airport of a runway list")
        ->type_name("RUNWAYS.csv");
    app.add_option("--demo-project", parsed.demoProject,
                   "also a project folder with the sample taxiway layout of KPAO imported and saved")
        ->type_name("DIR");
    if (const std::optional<int> status = ParseArgs(app, args, out, err)) {
        return *status;
    }
    if (parsed.dir.empty()) {
        return UsageError(err, "missing DIR", kSampleInstallSynopsis);
    }

    std::string error;
    std::optional<std::vector<SampleAirport>> airports;
    if (parsed.allAirports) {
        const std::optional<std::string> csv = ReadWholeText(PathFromUtf8(*parsed.allAirports));
        if (!csv) {
            err << "rollpath-cli: cannot read " << *parsed.allAirports << '\n';
            return kExitFailure;
        }
        airports = AllAirportsFromRunwaysCsv(*csv, error);
    } else {
        airports = SampleAirportsFromCsv(SampleAirportsCsv(), SampleRunwaysCsv(), error);
    }
    if (!airports) {
        err << "rollpath-cli: " << error << '\n';
        return kExitFailure;
    }
    if (!WriteSampleInstallation(PathFromUtf8(parsed.dir), *airports, parsed.layout, error)) {
        err << "rollpath-cli: " << error << '\n';
        return kExitFailure;
    }

    if (parsed.demoProject && !WriteDemoProject(parsed.dir, *parsed.demoProject, err)) {
        return kExitFailure;
    }

    std::size_t runways = 0;
    for (const SampleAirport& airport : *airports) {
        runways += airport.runways.size();
    }
    JsonWriter json(out);
    json.BeginObject();
    json.Field("flyDir", Utf8FromPath(std::filesystem::absolute(PathFromUtf8(parsed.dir))));
    json.Field("layout", parsed.layoutName);
    json.Field("airports", airports->size());
    json.Field("runways", runways);
    json.EndObject();
    out << '\n';
    return kExitSuccess;
}

}  // namespace rollpath::cli
