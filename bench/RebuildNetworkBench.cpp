// The network rebuild on a big airport (about 4000 segments and 2500
// vertices): the tidy case is what every edit pays; the first rebuild also
// connects exits, splits crossings and merges duplicates. The pairwise scan
// is the same rebuild without search structures, for comparison.

#include <benchmark/benchmark.h>

#include <memory>

#include "ReferenceRebuild.h"
#include "pavement/NetworkRebuild.h"
#include "support/SyntheticAirport.h"

namespace rollpath {
namespace {

int LiveSegments(const CRollpathDoc& doc) {
    int n = 0;
    for (const auto& s : doc.m_pSegments) {
        n += s->live() ? 1 : 0;
    }
    return n;
}

// Rebuilds until nothing changes any more (twice at most, in practice).
std::unique_ptr<CRollpathDoc> TidyAirport() {
    auto doc = std::make_unique<CRollpathDoc>();
    testing::BuildSyntheticAirport(*doc);
    for (int pass = 0; pass < 5; ++pass) {
        if (RebuildNetwork(*doc) == RebuildNetworkSummary{}) {
            break;
        }
    }
    doc->ClearTouched();
    return doc;
}

void CountNetwork(benchmark::State& state, const CRollpathDoc& doc) {
    state.counters["segments"] = LiveSegments(doc);
    state.counters["vertices"] = doc.m_nVertices;
}

void BM_RebuildNetworkTidy(benchmark::State& state) {
    const auto doc = TidyAirport();
    for (auto _ : state) {
        benchmark::DoNotOptimize(RebuildNetwork(*doc));
    }
    CountNetwork(state, *doc);
}
BENCHMARK(BM_RebuildNetworkTidy)->Unit(benchmark::kMillisecond);

void BM_RebuildNetworkFirst(benchmark::State& state) {
    std::unique_ptr<CRollpathDoc> doc;
    for (auto _ : state) {
        state.PauseTiming();
        doc = std::make_unique<CRollpathDoc>();
        testing::BuildSyntheticAirport(*doc);
        state.ResumeTiming();
        benchmark::DoNotOptimize(RebuildNetwork(*doc));
    }
    CountNetwork(state, *doc);
}
BENCHMARK(BM_RebuildNetworkFirst)->Unit(benchmark::kMillisecond);

void BM_RebuildNetworkByPairsTidy(benchmark::State& state) {
    const auto doc = TidyAirport();
    for (auto _ : state) {
        benchmark::DoNotOptimize(testing::RebuildNetworkByPairs(*doc));
    }
    CountNetwork(state, *doc);
}
BENCHMARK(BM_RebuildNetworkByPairsTidy)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace rollpath
