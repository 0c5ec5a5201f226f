// The undo history on a big airport (about 4000 segments and 2500
// vertices): what committing a vertex drag costs, the resident memory that a
// full history of 100 drags keeps, and Undo and Redo of one drag. A drag is
// what the view does between press and release: the segments at the vertex
// follow it, the network and the touched junctions are rebuilt, and the
// edit is committed.

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "PavedAirport.h"
#include "pavement/PavementRebuild.h"
#include "pavement/SegmentGeometry.h"
#include "view/UndoKinds.h"

namespace rollpath {
namespace {

using bench::PavedAirport;
using bench::PlainCrossings;

// Moves vertex v by (dx, dy) as a drag does, up to the rebuild at release.
void DragVertex(CRollpathDoc& doc, int v, double dx, double dy) {
    doc.ClearTouched();
    std::vector<RollpathSegment*> listed;
    for (const auto& s : doc.m_pSegments) {
        if (s->live() && (s->vertex0 == v || s->vertex1 == v)) {
            listed.push_back(s.get());
            doc.TouchVertex(s->vertex0);
            doc.TouchVertex(s->vertex1);
        }
    }
    doc.Vertex(v).x += dx;
    doc.Vertex(v).y += dy;
    for (RollpathSegment* s : listed) {
        SegmentGeometry(doc, *s);
    }
    RebuildTouchedVertices(doc);
}

long ResidentBytes() {
    long pages = 0;
    long resident = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(f);
    }
    return resident * sysconf(_SC_PAGESIZE);
}

// The heap in use, which unlike the resident size does not hide what lands
// in memory freed earlier.
long HeapBytes() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long>(info.uordblks + info.hblkhd);
}

double Megabytes(long bytes) {
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

// The history's own work after a drag: comparing the model with the last
// committed state and keeping what changed.
void BM_CommitAfterDrag(benchmark::State& state) {
    const auto doc = PavedAirport();
    const std::vector<int> crossings = PlainCrossings(*doc, 1);
    if (crossings.empty()) {
        state.SkipWithError("no vertex of four rollpaths");
        return;
    }
    doc->History().Start();
    double dx = 5.0;
    for (auto _ : state) {
        state.PauseTiming();
        DragVertex(*doc, crossings.front(), dx, 0.0);
        dx = -dx;
        state.ResumeTiming();
        doc->History().Commit(UndoKind::VertexMoved);
    }
    state.counters["segments"] = static_cast<double>(doc->m_pSegments.size());
}
BENCHMARK(BM_CommitAfterDrag)->Unit(benchmark::kMillisecond);

// 100 drags of 100 different vertices, each kept as one level: the resident
// memory they add, the copy of the committed state included (target: under
// 100 MB).
void BM_HistoryOf100Drags(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = PavedAirport();
        const std::vector<int> crossings = PlainCrossings(*doc, 100);
        if (crossings.size() < 100) {
            state.SkipWithError("fewer than 100 vertices of four rollpaths");
            return;
        }
        const long before = ResidentBytes();
        const long heapBefore = HeapBytes();
        state.ResumeTiming();
        doc->History().Start();
        const long heapStarted = HeapBytes();
        for (const int v : crossings) {
            DragVertex(*doc, v, 7.0, -4.0);
            doc->History().Commit(UndoKind::VertexMoved);
        }
        state.PauseTiming();
        state.counters["levels"] = doc->History().UndoSteps();
        state.counters["extraMB"] = Megabytes(ResidentBytes() - before);
        state.counters["heapMB"] = Megabytes(HeapBytes() - heapBefore);
        state.counters["committedCopyHeapMB"] = Megabytes(heapStarted - heapBefore);
        doc.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_HistoryOf100Drags)->Unit(benchmark::kMillisecond)->Iterations(1);

// Undo, then Redo, of the last of several drags (target: each under 50 ms).
void UndoRedo(benchmark::State& state, bool timeUndo) {
    const auto doc = PavedAirport();
    const std::vector<int> crossings = PlainCrossings(*doc, 10);
    if (crossings.empty()) {
        state.SkipWithError("no vertex of four rollpaths");
        return;
    }
    doc->History().Start();
    for (const int v : crossings) {
        DragVertex(*doc, v, 7.0, -4.0);
        doc->History().Commit(UndoKind::VertexMoved);
    }
    for (auto _ : state) {
        if (!timeUndo) {
            state.PauseTiming();
        }
        doc->History().Undo();
        if (timeUndo) {
            state.PauseTiming();
        } else {
            state.ResumeTiming();
        }
        doc->History().Redo();
        if (timeUndo) {
            state.ResumeTiming();
        }
    }
}

void BM_UndoDrag(benchmark::State& state) {
    UndoRedo(state, true);
}
BENCHMARK(BM_UndoDrag)->Unit(benchmark::kMillisecond);

void BM_RedoDrag(benchmark::State& state) {
    UndoRedo(state, false);
}
BENCHMARK(BM_RedoDrag)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace rollpath
