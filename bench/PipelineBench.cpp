// The whole pipeline a user goes through, on the large synthetic airport and
// on the largest sample airports (KORD, KDEN, KBOS): open, the view's first
// update (network rebuild, rebuild of all pavement, tile grid), one vertex
// drag (the touched rebuild), one full OnDraw of a 1920 x 1080 view into the
// recording canvas, and Save (every file, as with Shift held).
//
// The synthetic airport is saved once, under the code KDEN, into an
// installation of its own (SyntheticProject.h), so that it opens from the
// project list like any saved project: its rollpaths, polygons and side data
// come from its files and the runways from the database. The sample airports
// open as New from a clean installation.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "BusiestVertex.h"
#include "SyntheticProject.h"
#include "document/RollpathDoc.h"
#include "pavement/NetworkIndex.h"
#include "pavement/PavementRebuild.h"
#include "pavement/SegmentGeometry.h"
#include "project/DocumentPipeline.h"
#include "support/TempDir.h"
#include "view/HeadlessViewHost.h"
#include "view/RecordingCanvas.h"
#include "view/RollpathView.h"

namespace rollpath {
namespace {

using bench::BusiestVertex;
using bench::kSyntheticCode;

// The installation, the program folders and the saved synthetic project,
// written on first use.
struct PipelineFolders {
    PipelineFolders() { ok = bench::WriteSyntheticProject(dir.path(), syntheticSettings, messages, error); }

    static PipelineFolders& Get() {
        static PipelineFolders folders;
        return folders;
    }

    void Attach(CRollpathDoc& doc, bool synthetic) {
        bench::AttachToFolders(doc, dir.path(), synthetic ? syntheticSettings : settings, messages,
                               synthetic);
    }

    testing::TempDir dir{"rollpath-bench"};
    Settings settings;
    Settings syntheticSettings;
    RecordingMessageSink messages;
    bool ok = false;
    std::string error;
};

// An airport opened and shown as the editor shows it.
struct OpenedAirport {
    explicit OpenedAirport(const std::string& airport) : synthetic(airport == "synthetic") {
        PipelineFolders::Get().Attach(doc, synthetic);
        doc.SetTriangulationSeed(1);
    }

    bool Open() { return OpenAirportByCode(doc, synthetic ? kSyntheticCode : code(), false, false); }
    std::string code() const { return synthetic ? kSyntheticCode : name; }

    bool synthetic;
    std::string name;
    CRollpathDoc doc;
};

std::unique_ptr<OpenedAirport> Opened(const std::string& airport, benchmark::State& state) {
    PipelineFolders& folders = PipelineFolders::Get();
    if (!folders.ok) {
        state.SkipWithError(folders.error.c_str());
        return nullptr;
    }
    auto opened = std::make_unique<OpenedAirport>(airport);
    opened->name = airport;
    if (!opened->Open()) {
        state.SkipWithError("the airport did not open");
        return nullptr;
    }
    return opened;
}

void Describe(benchmark::State& state, const CRollpathDoc& doc) {
    int segments = 0;
    for (const auto& s : doc.m_pSegments) {
        segments += s->live() ? 1 : 0;
    }
    state.counters["segments"] = segments;
    state.counters["vertices"] = doc.m_nVertices;
    state.counters["runways"] = static_cast<double>(doc.m_pRunways.size());
}

void BM_Pipeline_Open(benchmark::State& state, const char* airport) {
    auto opened = Opened(airport, state);
    if (!opened) {
        return;
    }
    for (auto _ : state) {
        if (!opened->Open()) {
            state.SkipWithError("the airport did not open");
            return;
        }
    }
    Describe(state, opened->doc);
}

void BM_Pipeline_InitialUpdate(benchmark::State& state, const char* airport) {
    auto opened = Opened(airport, state);
    if (!opened) {
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        opened->Open();
        state.ResumeTiming();
        PrepareOpenedDocument(opened->doc);
    }
    Describe(state, opened->doc);
}

void BM_Pipeline_Drag(benchmark::State& state, const char* airport) {
    auto opened = Opened(airport, state);
    if (!opened) {
        return;
    }
    CRollpathDoc& doc = opened->doc;
    PrepareOpenedDocument(doc);
    const int v = BusiestVertex(doc);
    if (v < 0) {
        state.SkipWithError("no vertex");
        return;
    }
    const VertexIncidence incidence(doc);  // the span below points into it
    const auto span = incidence.SegmentsAt(v);
    const std::vector<int> segments(span.begin(), span.end());
    double dx = 1.0;
    for (auto _ : state) {
        doc.Vertex(v).x += dx;
        doc.ClearTouched();
        for (const int i : segments) {
            RollpathSegment& s = *doc.m_pSegments[static_cast<std::size_t>(i)];
            SegmentGeometry(doc, s);
            doc.TouchVertex(s.vertex0);
            doc.TouchVertex(s.vertex1);
        }
        RebuildTouchedVertices(doc);
        dx = -dx;
    }
    Describe(state, doc);
}

void BM_Pipeline_Paint(benchmark::State& state, const char* airport) {
    auto opened = Opened(airport, state);
    if (!opened) {
        return;
    }
    HeadlessViewHost host{PipelineFolders::Get().messages, DeviceSize{1920, 1080}, 96};
    CRollpathView view{opened->doc, host};
    view.OnSize(1920, 1080);
    view.OnInitialUpdate();
    view.OnCommand(CommandId::ViewMarkings);
    view.OnCommand(CommandId::ViewLights);
    RecordingCanvas canvas;
    for (auto _ : state) {
        canvas.Clear();
        view.OnDraw(canvas);
        benchmark::DoNotOptimize(canvas.calls.data());
    }
    Describe(state, opened->doc);
    state.counters["calls"] = static_cast<double>(canvas.calls.size());
}

void BM_Pipeline_Save(benchmark::State& state, const char* airport) {
    auto opened = Opened(airport, state);
    if (!opened) {
        return;
    }
    PrepareOpenedDocument(opened->doc);
    for (auto _ : state) {
        if (!Save(opened->doc)) {
            state.SkipWithError("Save failed");
            return;
        }
    }
    Describe(state, opened->doc);
}

#define ROLLPATH_PIPELINE(name)                                                     \
    BENCHMARK_CAPTURE(name, synthetic, "synthetic")->Unit(benchmark::kMillisecond); \
    BENCHMARK_CAPTURE(name, KORD, "KORD")->Unit(benchmark::kMillisecond);           \
    BENCHMARK_CAPTURE(name, KDEN, "KDEN")->Unit(benchmark::kMillisecond);           \
    BENCHMARK_CAPTURE(name, KBOS, "KBOS")->Unit(benchmark::kMillisecond)

ROLLPATH_PIPELINE(BM_Pipeline_Open);
ROLLPATH_PIPELINE(BM_Pipeline_InitialUpdate);
ROLLPATH_PIPELINE(BM_Pipeline_Drag);
ROLLPATH_PIPELINE(BM_Pipeline_Paint);
ROLLPATH_PIPELINE(BM_Pipeline_Save);

}  // namespace
}  // namespace rollpath
