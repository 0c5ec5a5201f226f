// The pavement rebuilds on a big airport (about 4000 segments and 2500
// vertices): what one vertex drag costs when the mouse is released (the
// network rebuild and the junctions of the touched vertices), and the
// rebuild of all pavement (the "R" key, and every time a document is shown).

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "PavedAirport.h"
#include "pavement/Junctions.h"
#include "pavement/NetworkIndex.h"
#include "pavement/NetworkRebuild.h"
#include "pavement/PavementRebuild.h"
#include "pavement/SegmentGeometry.h"

namespace rollpath {
namespace {

using bench::PavedAirport;

// A vertex where four rollpaths cross, away from the runways.
int CrossingOfFour(const CRollpathDoc& doc) {
    const std::vector<int> found = bench::PlainCrossings(doc, 1);
    return found.empty() ? -1 : found.front();
}

// A drag of vertex v by dx, as the view ends it: the vertex moves, its
// segments' geometry is recomputed and both ends of each are touched.
void DragVertex(CRollpathDoc& doc, int v, const std::vector<int>& segments, double dx) {
    doc.Vertex(v).x += dx;
    doc.ClearTouched();
    for (const int i : segments) {
        RollpathSegment& s = *doc.m_pSegments[static_cast<std::size_t>(i)];
        SegmentGeometry(doc, s);
        doc.TouchVertex(s.vertex0);
        doc.TouchVertex(s.vertex1);
    }
}

void BM_RebuildTouchedAfterDrag(benchmark::State& state) {
    const auto doc = PavedAirport();
    const int v = CrossingOfFour(*doc);
    if (v < 0) {
        state.SkipWithError("no vertex of four rollpaths");
        return;
    }
    const VertexIncidence incidence(*doc);  // the span below points into it
    const auto span = incidence.SegmentsAt(v);
    const std::vector<int> segments(span.begin(), span.end());
    double dx = 1.0;
    for (auto _ : state) {
        DragVertex(*doc, v, segments, dx);
        RebuildTouchedVertices(*doc);
        dx = -dx;
    }
    state.counters["junctions"] = static_cast<double>(doc->Vertex(v).junctionPolys.size());
}
BENCHMARK(BM_RebuildTouchedAfterDrag)->Unit(benchmark::kMillisecond);

// Only the junctions of the touched vertices, without the network rebuild.
void BM_TouchedJunctionsOnly(benchmark::State& state) {
    const auto doc = PavedAirport();
    const int v = CrossingOfFour(*doc);
    if (v < 0) {
        state.SkipWithError("no vertex of four rollpaths");
        return;
    }
    const VertexIncidence incidence(*doc);  // the span below points into it
    const auto span = incidence.SegmentsAt(v);
    const std::vector<int> segments(span.begin(), span.end());
    DragVertex(*doc, v, segments, 1.0);
    for (auto _ : state) {
        for (int i = 0; i < doc->m_nTouched; ++i) {
            ConstructVertexPolygons(*doc, doc->m_TouchedVertices[static_cast<std::size_t>(i)]);
        }
    }
}
BENCHMARK(BM_TouchedJunctionsOnly)->Unit(benchmark::kMicrosecond);

void BM_RebuildAllPavement(benchmark::State& state) {
    const auto doc = PavedAirport();
    for (auto _ : state) {
        RebuildAllPavement(*doc);
    }
    int junctions = 0;
    for (int v = 0; v < doc->m_nVertices; ++v) {
        junctions += doc->Vertex(v).junctionPolys.size();
    }
    state.counters["junctions"] = junctions;
    state.counters["vertices"] = doc->m_nVertices;
}
BENCHMARK(BM_RebuildAllPavement)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace rollpath
