// The pavement file of a big airport (about 4000 segments, 2500 vertices and
// 300 ground polygons) as Save writes it: every piece cut into the 8 by 8
// tiles, the concave ones triangulated. Target: under 300 ms.

#include <benchmark/benchmark.h>

#include <memory>

#include "pavement/PavementWriter.h"
#include "pavement/TileGrid.h"
#include "support/SyntheticAirport.h"
#include "support/TempDir.h"

namespace rollpath {
namespace {

std::unique_ptr<CRollpathDoc> GriddedAirport() {
    auto doc = std::make_unique<CRollpathDoc>();
    testing::BuildSyntheticAirport(*doc);
    testing::PaveSyntheticAirport(*doc);
    ComputeTileGrid(*doc);
    doc->m_szTmsName = "BENCH.tms";
    doc->SetTriangulationSeed(1);
    return doc;
}

void Count(benchmark::State& state, const CRollpathDoc& doc, std::size_t bytes) {
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["redPolygons"] = static_cast<double>(doc.m_TriErrors.size());
    state.counters["segments"] = static_cast<double>(doc.m_pSegments.size());
}

void BM_EncodePavementFile(benchmark::State& state) {
    const auto doc = GriddedAirport();
    std::size_t bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        EncodePavementFile(*doc, [&bytes](std::span<const std::uint8_t> part) {
            benchmark::DoNotOptimize(part.data());
            bytes += part.size();
        });
    }
    Count(state, *doc, bytes);
}
BENCHMARK(BM_EncodePavementFile)->Unit(benchmark::kMillisecond);

void BM_WritePavementFile(benchmark::State& state) {
    const auto doc = GriddedAirport();
    const testing::TempDir dir("rollpath-bench");
    for (auto _ : state) {
        if (!WritePavementFile(*doc, dir.path())) {
            state.SkipWithError("the pavement file was not written");
            return;
        }
    }
    Count(state, *doc, static_cast<std::size_t>(std::filesystem::file_size(dir / "BENCH.tms")));
}
BENCHMARK(BM_WritePavementFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace rollpath
