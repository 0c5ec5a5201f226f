#include <benchmark/benchmark.h>

#include <vector>

#include "geometry/Triangulate.h"
#include "support/PolygonGenerators.h"

namespace {

using rollpath::Triangle;

// Seidel's triangulation of a star-shaped polygon of state.range(0) vertices.
void BM_Triangulate(benchmark::State& state) {
    rollpath::testing::Contours contours;
    contours.Add(rollpath::testing::StarPolygon(static_cast<int>(state.range(0)), 12345u));
    std::vector<Triangle> triangles;
    std::uint32_t seed = 0;
    for (auto _ : state) {
        const int count = rollpath::TriangulatePolygon(contours.counts, contours.vertices, triangles, seed);
        if (count < 0) {
            state.SkipWithError("triangulation failed");
            break;
        }
        benchmark::DoNotOptimize(triangles.data());
        seed = (seed + 1) % 60;  // every second's insertion order in turn
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Triangulate)->Arg(16)->Arg(64)->Arg(256)->Arg(1024)->Arg(1999)->Unit(benchmark::kMicrosecond);

}  // namespace
