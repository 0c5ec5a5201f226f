// What `rollpath-cli build` does on a big project: open the listed airport
// (the database's runways, then the saved network and polygons read back),
// rebuild the network and all pavement as the first view update does, and
// Save every file. The project is the synthetic airport (about 4000
// segments, 2500 vertices, 300 ground polygons) saved over the sample KSFO.
// Target: under 1 s.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "document/RollpathDoc.h"
#include "project/DocumentPipeline.h"
#include "support/SampleInstallation.h"
#include "support/SyntheticAirport.h"
#include "support/TempDir.h"

namespace rollpath {
namespace {

class BuildFolders {
public:
    BuildFolders() : m_Dir("rollpath-bench-build") {
        testing::WriteSampleInstallation(m_Dir.path() / "fly");
        std::filesystem::create_directories(m_Dir.path() / "program");
        m_Settings.FlyDir = (m_Dir.path() / "fly").string();
    }

    void Attach(CRollpathDoc& doc) {
        doc.SetSettings(&m_Settings);
        doc.SetMessageSink(&m_Messages);
        doc.SetProgramDir(m_Dir.path() / "program");
        doc.SetTriangulationSeed(1);
    }

    std::size_t MessageCount() const { return m_Messages.shown.size(); }

private:
    testing::TempDir m_Dir;
    Settings m_Settings;
    RecordingMessageSink m_Messages;
};

// Saves the synthetic network as the KSFO project once.
bool SaveBigProject(BuildFolders& folders) {
    CRollpathDoc doc;
    folders.Attach(doc);
    if (!OpenAirportByCode(doc, "KSFO", false, false)) {
        return false;
    }
    for (auto& segment : doc.m_pSegments) {
        segment->state = -1;
    }
    testing::BuildSyntheticAirport(doc);
    PrepareOpenedDocument(doc);
    return Save(doc);
}

void BM_BuildBigProject(benchmark::State& state) {
    BuildFolders folders;
    if (!SaveBigProject(folders)) {
        state.SkipWithError("the project could not be saved");
        return;
    }
    std::size_t segments = 0;
    for (auto _ : state) {
        CRollpathDoc doc;
        folders.Attach(doc);
        if (!OpenAirportByCode(doc, "KSFO", false, false)) {
            state.SkipWithError("the project could not be opened");
            return;
        }
        PrepareOpenedDocument(doc);
        if (!Save(doc)) {
            state.SkipWithError("the project could not be saved");
            return;
        }
        segments = doc.m_pSegments.size();
    }
    state.counters["segments"] = static_cast<double>(segments);
    state.counters["messages"] = static_cast<double>(folders.MessageCount());
}
BENCHMARK(BM_BuildBigProject)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace rollpath
