#include <benchmark/benchmark.h>

#include <vector>

#include "geometry/Clip.h"
#include "support/PolygonGenerators.h"

namespace {

using rollpath::ClipRect;
using rollpath::DPoint;

// A 200-vertex star-shaped polygon over an 8 x 8 grid of 250-foot tiles,
// the way pavement is cut into tiles.
constexpr int kGrid = 8;
constexpr double kTile = 250.0;

std::vector<DPoint> GridPolygon() {
    // Clockwise, as the precise clipper wants it, so the input is never
    // reversed between iterations.
    return rollpath::testing::Reversed(
        rollpath::testing::StarPolygon(200, 77u, 500.0, 1000.0, {kGrid * kTile / 2.0, kGrid * kTile / 2.0}));
}

ClipRect Tile(int i, int j) {
    return {i * kTile, (i + 1) * kTile, (j + 1) * kTile, j * kTile};
}

void BM_ClipToRectangleGrid(benchmark::State& state) {
    const std::vector<DPoint> polygon = GridPolygon();
    std::vector<DPoint> out;
    for (auto _ : state) {
        for (int i = 0; i < kGrid; ++i) {
            for (int j = 0; j < kGrid; ++j) {
                benchmark::DoNotOptimize(rollpath::ClipToRectangle(
                    polygon.data(), static_cast<int>(polygon.size()), Tile(i, j), out));
            }
        }
    }
}
BENCHMARK(BM_ClipToRectangleGrid)->Unit(benchmark::kMicrosecond);

void BM_PreciseClipToRectangleGrid(benchmark::State& state) {
    std::vector<DPoint> polygon = GridPolygon();
    std::vector<DPoint> points;
    std::vector<int> counts;
    for (auto _ : state) {
        for (int i = 0; i < kGrid; ++i) {
            for (int j = 0; j < kGrid; ++j) {
                const int pieces = rollpath::PreciseClipToRectangle(
                    polygon.data(), static_cast<int>(polygon.size()), Tile(i, j), points, counts, {});
                if (pieces < 0) {
                    state.SkipWithError("clipping overflowed");
                }
                benchmark::DoNotOptimize(pieces);
            }
        }
    }
}
BENCHMARK(BM_PreciseClipToRectangleGrid)->Unit(benchmark::kMicrosecond);

}  // namespace
