#include <cmath>
#include <fstream>
#include <limits>

#include "document/ProjectList.h"
#include "pavement/TileGrid.h"
#include "project/PipelineFixture.h"
#include "support/FaultyFileSystem.h"

namespace rollpath {
namespace {

using testing::PipelineTest;

// Draws a small network with every attribute the files carry.
void DrawNetwork(CRollpathDoc& doc) {
    const int a = doc.AddVertex(-300.0, 800.0, false);
    const int b = doc.AddVertex(-300.0, 1200.0, false);
    const int c = doc.AddVertex(100.0, 1200.5, false);
    doc.Vertex(b).flags = VertexFlag::NoMarkings | VertexFlag::NoLighting;
    for (const auto& [v0, v1, flags] :
         {std::tuple{a, b, SegmentFlag::RunwayHold | SegmentFlag::NoLighting},
          std::tuple{b, c, SegmentFlag::NoPolygon | SegmentFlag::CriticalHold}}) {
        RollpathSegment& s = doc.AppendSegment();
        s.vertex0 = v0;
        s.vertex1 = v1;
        s.width = 42.5f;
        s.flags = flags;
        s.extent0 = 120.0;
        s.extent1 = 33.25;
    }
    doc.m_nSource = a;
    doc.m_nSink = c;
    GroundPolygon& clockwise = doc.AppendPolygon();
    clockwise.kind = PolygonKind::Ordinary;
    clockwise.points = {{0, 0}, {0, 100}, {100, 100}, {100, 0}};
    GroundPolygon& automatic = doc.AppendPolygon();
    automatic.kind = PolygonKind::Automatic;
    automatic.points = {{500, 500}, {600, 500}, {550, 600}};
    doc.SetModifiedFlag(true);
}

TEST_F(PipelineTest, FirstSaveWritesTheListAndTheFiles) {
    ASSERT_TRUE(OpenNew(doc, "kpao"));
    EXPECT_EQ(doc.m_szCode, "KPAO");
    EXPECT_FALSE(doc.IsModified());
    doc.SetModifiedFlag(true);
    ASSERT_TRUE(Save(doc));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(ReadAll(Program("Rollpath.rpj")),
              "[KPAO]\ntxp=KPAO.txp\nbgr=KPAO.bgr\nbmp=\"\" 0 0 100 0.000000\n");
    EXPECT_TRUE(std::filesystem::exists(Output("KPAO.txp")));
    EXPECT_TRUE(std::filesystem::exists(Output("KPAO.bgr")));
    EXPECT_TRUE(std::filesystem::exists(Output("KPAO.tms")));
    EXPECT_TRUE(std::filesystem::exists(Program("KPAO.txd")));
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front();
}

// Every destination is checked before anything is written: a missing output
// folder is made when its parent exists; otherwise one message names the
// path and the system's reason, and no file of the Save is written.
TEST_F(PipelineTest, ASaveIntoAMissingFolderMakesItOrWritesNothing) {
    ASSERT_TRUE(OpenNew(doc, "KPAO"));
    DrawNetwork(doc);
    const std::filesystem::path deep = dir / "no" / "such";
    settings.OutputDir = deep.string();
    EXPECT_FALSE(Save(doc));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Cannot create " + (deep / "KPAO.txp").string() +
                                                       ": No such file or directory"});
    EXPECT_TRUE(std::filesystem::is_empty(dir / "program"));

    messages.Clear();
    settings.OutputDir = (dir / "no").string();
    EXPECT_TRUE(Save(doc));
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front();
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(std::filesystem::exists(dir / "no" / "KPAO.tms"));
}

TEST_F(PipelineTest, AListThatCannotBeWrittenStopsTheSave) {
    ASSERT_TRUE(OpenNew(doc, "KPAO"));
    DrawNetwork(doc);
    const int vertices = doc.m_nVertices;
    testing::FaultyFileSystem files(testing::FaultyFileSystem::Fault::Create);
    EXPECT_FALSE(Save(doc, files));
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Cannot open " + Program("Rollpath.rpj").string() +
                                                       ": Permission denied"});
    EXPECT_EQ(doc.m_nVertices, vertices);  // not compacted: nothing else ran
    EXPECT_FALSE(std::filesystem::exists(Output("KPAO.bgr")));
    EXPECT_TRUE(doc.IsModified());
}

// An airport opened from its pavement file alone holds none of the editable
// files: its Save never replaces them, nor the pavement file it came from,
// and it writes what it holds of its own or says there is nothing.
TEST_F(PipelineTest, ADocumentReadFromItsPavementFileNeverReplacesTheEditableFiles) {
    ASSERT_TRUE(OpenNew(doc, "KPAO"));
    DrawNetwork(doc);
    ASSERT_TRUE(Save(doc));
    const auto saved = [this] {
        return std::vector<std::string>{ReadAll(Output("KPAO.txp")), ReadAll(Output("KPAO.bgr")),
                                        ReadAll(Program("KPAO.txd")), ReadAll(Output("KPAO.tms"))};
    };
    const std::vector<std::string> before = saved();

    CRollpathDoc tms;
    Attach(tms);
    FixedOpenAirportDialog dialog(OpenAirportChoice{"KPAO", true});
    ASSERT_TRUE(NewDocument(tms, dialog, false));
    ASSERT_FALSE(tms.m_pPolygons.empty());
    messages.Clear();
    EXPECT_FALSE(Save(tms));
    EXPECT_EQ(messages.shown,
              std::vector<std::string>{"KPAO was opened from its pavement file KPAO.tms alone: "
                                       "there is no network and no ground polygon to save"});
    EXPECT_EQ(saved(), before);

    GroundPolygon& drawn = tms.AppendPolygon();
    drawn.kind = PolygonKind::Ordinary;
    drawn.points = {{0, 0}, {50, 0}, {0, 50}};
    messages.Clear();
    EXPECT_FALSE(Save(tms));
    EXPECT_EQ(messages.shown,
              std::vector<std::string>{"Cannot save KPAO opened from its pavement file KPAO.tms: "
                                       "it would overwrite " +
                                       Output("KPAO.txp").string()});
    EXPECT_EQ(saved(), before);

    for (const auto& file : {Output("KPAO.txp"), Output("KPAO.bgr"), Program("KPAO.txd")}) {
        std::filesystem::remove(file);
    }
    messages.Clear();
    EXPECT_TRUE(Save(tms));
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front();
    EXPECT_EQ(ReadAll(Output("KPAO.tms")), before[3]);
    CRollpathDoc back;
    Attach(back);
    ASSERT_TRUE(OpenAirportByCode(back, "KPAO", false, false));
    ASSERT_EQ(back.m_pPolygons.size(), 1u);
    EXPECT_EQ(back.m_pPolygons[0]->count(), 3);
}

TEST_F(PipelineTest, SaveModifiedAsksOnlyWhenModified) {
    ASSERT_TRUE(OpenNew(doc, "KPAO"));
    EXPECT_TRUE(SaveModified(doc));
    EXPECT_TRUE(messages.asked.empty());

    doc.SetModifiedFlag(true);
    messages.answers = {Answer::Cancel, Answer::No, Answer::Yes};
    EXPECT_FALSE(SaveModified(doc));
    EXPECT_TRUE(SaveModified(doc));
    EXPECT_FALSE(std::filesystem::exists(Program("Rollpath.rpj")));
    EXPECT_TRUE(SaveModified(doc));
    EXPECT_TRUE(std::filesystem::exists(Program("Rollpath.rpj")));
    EXPECT_EQ(messages.asked, (std::vector<std::string>(3, "Save changes to KPAO?")));
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(PipelineTest, AFailedSaveAtThePromptKeepsTheDocumentOpen) {
    ASSERT_TRUE(OpenNew(doc, "KPAO"));
    doc.SetModifiedFlag(true);
    settings.OutputDir = (dir / "no" / "such").string();
    messages.answers = {Answer::Yes};
    EXPECT_FALSE(SaveModified(doc));
}

TEST_F(PipelineTest, ListedPlacementIsSanitisedAtOpen) {
    struct Case {
        int scale;
        double rotation;
        int expectedScale;
        double expectedRotation;
    };
    const Case cases[] = {{0, 360.0, 100, 0.0},
                          {-5, -0.5, 100, 0.0},
                          {1, 359.9, 1, 359.9},
                          {250, std::numeric_limits<double>::quiet_NaN(), 250, 0.0}};
    for (const Case& c : cases) {
        PendingProject pending;
        SetPendingProject(pending, "KPAO", ProjectListPath(doc));
        pending.bmpScale = c.scale;
        pending.rotation = c.rotation;
        ASSERT_TRUE(OnOpenDocument(doc, pending));
        EXPECT_EQ(doc.m_nBmpScale, c.expectedScale);
        EXPECT_EQ(doc.m_dRotation, c.expectedRotation);
    }
}

// The names of a list entry are plain file names: any other, which could make
// Save write outside the output folder, is refused for the default one.
TEST_F(PipelineTest, ListedNamesOutsideTheOutputFolderAreRefused) {
    for (const std::string name :
         {"../../x.txp", "/some/where/x.bgr", "sub/x.txp", "C:x.txp", "..\\x.txp", "..", ""}) {
        std::ofstream(Program("Rollpath.rpj")) << "[KPAO]\ntxp=" << name << "\nbgr=" << name << "\nbmp=\n";
        PendingProject pending;
        SetPendingProject(pending, "KPAO", ProjectListPath(doc));
        messages.Clear();
        ASSERT_TRUE(OnOpenDocument(doc, pending));
        EXPECT_EQ(doc.m_szTxpName, "KPAO.txp");
        EXPECT_EQ(doc.m_szBgrName, "KPAO.bgr");
        EXPECT_EQ(messages.shown.size(), 2u) << name;
        EXPECT_TRUE(messages.Saw("Rollpath.rpj names \"" + name +
                                 "\" for KPAO, which is not a plain file name: KPAO.txp is used instead"));
    }
    std::ofstream(Program("Rollpath.rpj")) << "[KPAO]\ntxp=apron 2.txp\nbgr=net.bgr\nbmp=\n";
    PendingProject pending;
    SetPendingProject(pending, "KPAO", ProjectListPath(doc));
    messages.Clear();
    ASSERT_TRUE(OnOpenDocument(doc, pending));
    EXPECT_EQ(doc.m_szTxpName, "apron 2.txp");
    EXPECT_EQ(doc.m_szBgrName, "net.bgr");
    EXPECT_TRUE(messages.shown.empty());
}

class ScriptedOpenProject : public OpenProjectDialog {
public:
    explicit ScriptedOpenProject(std::optional<OpenProjectChoice> choice) : choice_(std::move(choice)) {}
    std::optional<OpenProjectChoice> Run(const std::vector<std::string>& sections) override {
        shown = sections;
        return choice_;
    }
    std::vector<std::string> shown;

private:
    std::optional<OpenProjectChoice> choice_;
};

TEST_F(PipelineTest, OpenProjectChoices) {
    std::ofstream(Program("Rollpath.rpj")) << "[KSFO]\ntxp=KSFO.txp\nbgr=KSFO.bgr\nbmp=\"\" 0 0 100 0.0\n"
                                           << "[KPAO]\ntxp=KPAO.txp\nbgr=KPAO.bgr\nbmp=\"\" 0 0 100 0.0\n"
                                           << "[TOOLONG]\ntxp=a\nbgr=b\nbmp=\"\"\n";
    PendingProject pending;

    ScriptedOpenProject cancel(std::nullopt);
    EXPECT_FALSE(OnFileOpen(doc, cancel, pending));
    EXPECT_EQ(cancel.shown, (std::vector<std::string>{"KPAO", "KSFO", "TOOLONG"}));

    ScriptedOpenProject empty(OpenProjectChoice{"", false});
    EXPECT_FALSE(OnFileOpen(doc, empty, pending));
    EXPECT_TRUE(messages.shown.empty());

    ScriptedOpenProject tooLong(OpenProjectChoice{"TOOLONG", false});
    EXPECT_FALSE(OnFileOpen(doc, tooLong, pending));
    EXPECT_TRUE(messages.Saw(kBadCodeMessage));

    ScriptedOpenProject safe(OpenProjectChoice{"KPAO", true});
    ASSERT_TRUE(OnFileOpen(doc, safe, pending));
    EXPECT_EQ(doc.m_szCode, "KPAO");
    EXPECT_EQ(doc.m_bSafeMode, 1);

    // A recent-file path: its file title is the code; safe mode stays.
    ASSERT_TRUE(OpenDocumentFile(doc, "/anywhere/KSFO.rpj", pending));
    EXPECT_EQ(doc.m_szCode, "KSFO");
    EXPECT_EQ(doc.m_bSafeMode, 1);
}

TEST_F(PipelineTest, TheListedEntryIsPreferredOverNew) {
    ASSERT_TRUE(OpenNew(doc, "KPAO"));
    DrawNetwork(doc);
    ASSERT_TRUE(Save(doc));
    const int saved = doc.m_nVertices;

    CRollpathDoc listed;
    Attach(listed);
    ASSERT_TRUE(OpenAirportByCode(listed, "kpao", false, true));
    EXPECT_EQ(listed.m_nVertices, saved);
    EXPECT_EQ(listed.m_bSafeMode, 1);

    // An airport not yet listed opens as New, with its centre lines seeded.
    CRollpathDoc fresh;
    Attach(fresh);
    ASSERT_TRUE(OpenAirportByCode(fresh, "KSFO", false, false));
    EXPECT_EQ(fresh.m_pSegments.size(), fresh.m_pRunways.size());
}

}  // namespace
}  // namespace rollpath
