// The layout checks on the large synthetic airport (about 4000 segments,
// 2500 vertices and 300 ground polygons) as the editor shows it: every check
// together (target 20 ms), and each check alone to show where the time goes.

#include <benchmark/benchmark.h>

#include <memory>

#include "checks/LayoutChecks.h"
#include "pavement/TileGrid.h"
#include "support/SyntheticAirport.h"

namespace rollpath {
namespace {

const CRollpathDoc& CheckedAirport() {
    static const std::unique_ptr<CRollpathDoc> doc = [] {
        auto d = std::make_unique<CRollpathDoc>();
        testing::BuildSyntheticAirport(*d);
        testing::PaveSyntheticAirport(*d);
        ComputeTileGrid(*d);
        d->SetTriangulationSeed(1);
        return d;
    }();
    return *doc;
}

void Run(benchmark::State& state, const CheckSet& checks) {
    const CRollpathDoc& doc = CheckedAirport();
    std::size_t findings = 0;
    for (auto _ : state) {
        const std::vector<Finding> found = RunLayoutChecks(doc, checks);
        findings = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    int segments = 0;
    for (const auto& s : doc.m_pSegments) {
        segments += s->live() ? 1 : 0;
    }
    state.counters["segments"] = segments;
    state.counters["findings"] = static_cast<double>(findings);
}

void BM_LayoutChecks(benchmark::State& state) {
    Run(state, CheckSet::All());
}
BENCHMARK(BM_LayoutChecks)->Unit(benchmark::kMillisecond);

void BM_LayoutCheckAlone(benchmark::State& state) {
    const CheckInfo& info = AllChecks()[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(std::string(info.id));
    CheckSet only;
    only.Set(info.check, true);
    Run(state, only);
}
BENCHMARK(BM_LayoutCheckAlone)->DenseRange(0, kCheckCount - 1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace rollpath
