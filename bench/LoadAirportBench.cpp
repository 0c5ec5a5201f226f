// Opening KSFO, as `rollpath-cli info KSFO` does, on a full-size database:
// every airport of a full runways.csv that has runway end positions, written
// at start into a temporary folder once per layout. The archives are scanned
// linearly (target under 50 ms); the loose database goes through its indexes
// (target under 5 ms). The CSV is taken from ROLLPATH_RUNWAYS_CSV, else from
// the path the build was configured with.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "document/RollpathDoc.h"
#include "simdata/OpenAirport.h"
#include "simdata/SampleCsv.h"
#include "simdata/SampleInstall.h"
#include "support/TempDir.h"

namespace rollpath {
namespace {

std::string RunwaysCsvPath() {
    if (const char* path = std::getenv("ROLLPATH_RUNWAYS_CSV"); path != nullptr && *path != '\0') {
        return path;
    }
    return ROLLPATH_DEFAULT_RUNWAYS_CSV;
}

// The three installations, written on first use.
struct FullInstallations {
    FullInstallations() {
        std::ifstream in(RunwaysCsvPath(), std::ios::binary);
        if (!in) {
            error = "cannot read " + RunwaysCsvPath() + " (set ROLLPATH_RUNWAYS_CSV)";
            return;
        }
        const std::string csv((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const auto airports = AllAirportsFromRunwaysCsv(csv, error);
        if (!airports) {
            return;
        }
        for (const auto& [name, layout] : {std::pair{"loose", SampleLayout::Loose},
                                           {"epd", SampleLayout::Epd},
                                           {"pod", SampleLayout::Pod}}) {
            if (!WriteSampleInstallation(dir / name, *airports, layout, error)) {
                return;
            }
        }
        airportCount = airports->size();
        ok = true;
    }

    static FullInstallations& Get() {
        static FullInstallations installations;
        return installations;
    }

    testing::TempDir dir{"rollpath-bench"};
    bool ok = false;
    std::size_t airportCount = 0;
    std::string error;
};

void BM_OpenKsfo(benchmark::State& state, const char* layout) {
    FullInstallations& installations = FullInstallations::Get();
    if (!installations.ok) {
        state.SkipWithError(installations.error.c_str());
        return;
    }
    Settings settings;
    settings.FlyDir = (installations.dir / layout).string();
    RecordingMessageSink messages;
    auto doc = std::make_unique<CRollpathDoc>();
    doc->SetSettings(&settings);
    doc->SetMessageSink(&messages);
    doc->SetProgramDir(installations.dir.path());
    FixedOpenAirportDialog dialog(OpenAirportChoice{"KSFO", false});
    for (auto _ : state) {
        if (!OnNewDocument(*doc, dialog, false)) {
            state.SkipWithError("KSFO did not open");
            return;
        }
        benchmark::DoNotOptimize(doc->m_pSegments.size());
    }
    state.counters["airports"] = static_cast<double>(installations.airportCount);
    state.counters["runways"] = static_cast<double>(doc->m_pRunways.size());
}

BENCHMARK_CAPTURE(BM_OpenKsfo, loose, "loose")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenKsfo, epd, "epd")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenKsfo, pod, "pod")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace rollpath
