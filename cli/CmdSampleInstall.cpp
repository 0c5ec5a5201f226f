#include <filesystem>

#include "cli/Commands.h"
#include "cli/Json.h"
#include "cli/SampleData.h"
#include "document/Utf8Path.h"
#include "document/WholeFile.h"
#include "simdata/SampleCsv.h"
#include "simdata/SampleInstall.h"

namespace rollpath::cli {

namespace {

constexpr const char* kSynopsis =
    "rollpath-cli sample-install DIR [--layout loose|epd|pod|all] [--all-airports RUNWAYS.csv]";

struct SampleInstallArgs {
    std::string dir;
    std::string layoutName = "all";
    SampleLayout layout = SampleLayout::All;
    std::optional<std::string> allAirports;
};

// The option's value, from "--name VALUE" or "--name=VALUE"; nothing when arg
// is not this option. missing is set when the value is absent.
std::optional<std::string> OptionValue(const Args& args, std::size_t& i, std::string_view name,
                                       bool& missing) {
    const std::string_view arg = args[i];
    if (arg == name) {
        if (i + 1 >= args.size()) {
            missing = true;
            return std::nullopt;
        }
        i += 2;
        return args[i - 1];
    }
    if (arg.size() > name.size() && arg.substr(0, name.size()) == name && arg[name.size()] == '=') {
        ++i;
        return std::string(arg.substr(name.size() + 1));
    }
    return std::nullopt;
}

}  // namespace

int RunSampleInstall(const Args& args, std::ostream& out, std::ostream& err) {
    SampleInstallArgs parsed;
    bool haveDir = false;
    for (std::size_t i = 0; i < args.size();) {
        bool missing = false;
        if (auto layout = OptionValue(args, i, "--layout", missing)) {
            const std::optional<SampleLayout> known = ParseSampleLayout(*layout);
            if (!known) {
                return UsageError(err, "unknown layout '" + *layout + "'", kSynopsis);
            }
            parsed.layout = *known;
            parsed.layoutName = *layout;
        } else if (auto file = OptionValue(args, i, "--all-airports", missing)) {
            parsed.allAirports = *file;
        } else if (missing) {
            return UsageError(err, args[i] + " needs a value", kSynopsis);
        } else if (args[i].starts_with("--") || haveDir) {
            return UsageError(err, "unexpected argument '" + args[i] + "'", kSynopsis);
        } else {
            parsed.dir = args[i++];
            haveDir = true;
        }
    }
    if (!haveDir || parsed.dir.empty()) {
        return UsageError(err, "missing DIR", kSynopsis);
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
