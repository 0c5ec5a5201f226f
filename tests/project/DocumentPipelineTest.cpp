#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "document/ProjectList.h"
#include "project/PipelineFixture.h"
#include "scenery/NetworkFile.h"
#include "scenery/Origin.h"
#include "scenery/PavementFile.h"
#include "scenery/PlausibleValues.h"
#include "scenery/PolygonFile.h"
#include "support/FaultyFileSystem.h"
#include "support/NetworkBuilder.h"

namespace rollpath {
namespace {

using testing::PipelineTest;

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
    const auto open = [&](const std::string& names) {
        std::ofstream(Program("Rollpath.rpj")) << "[KPAO]\n" << names << "bmp=\n";
        PendingProject pending;
        SetPendingProject(pending, "KPAO", ProjectListPath(doc));
        messages.Clear();
        ASSERT_TRUE(OnOpenDocument(doc, pending));
    };
    for (const std::string name :
         {"../../x.txp", "/some/where/x.bgr", "sub/x.txp", "C:x.txp", "..\\x.txp", "..", ""}) {
        open("txp=" + name + "\nbgr=" + name + "\n");
        EXPECT_EQ(std::tuple(doc.m_szTxpName, doc.m_szBgrName, messages.shown.size()),
                  std::tuple("KPAO.txp", "KPAO.bgr", 2u))
            << name;
        EXPECT_TRUE(messages.Saw("Rollpath.rpj names \"" + name +
                                 "\" for KPAO, which is not a plain file name: KPAO.txp is used instead"));
    }
    open("txp=apron 2.txp\nbgr=net.bgr\n");
    EXPECT_EQ(std::tuple(doc.m_szTxpName, doc.m_szBgrName, messages.shown.size()),
              std::tuple("apron 2.txp", "net.bgr", 0u));
}

// The largest values the readers let through (positions a million feet out,
// lanes 1000 ft wide, many segments at one vertex) still go through the
// rebuild and a whole Save: every loop is bounded by a count, never by a
// distance, so these calls return.
TEST_F(PipelineTest, TheLargestAcceptedValuesRebuildSaveAndReadBack) {
    ASSERT_TRUE(OpenNew(doc, "KPAO"));
    const double far = kMaxFilePosition;
    const std::vector<DPoint> corners = {{-far, -far}, {far, -far}, {far, far}, {-far, far}, {0.0, 0.0}};
    std::vector<int> vertices;
    for (const DPoint& p : corners) {
        vertices.push_back(doc.AddVertex(p.x, p.y, true));
    }
    for (std::size_t i = 0; i + 1 < vertices.size(); ++i) {
        for (std::size_t j = i + 1; j < vertices.size(); ++j) {
            RollpathSegment& s = doc.AppendSegment();
            s.vertex0 = vertices[i];
            s.vertex1 = vertices[j];
            s.width = static_cast<float>(kMaxFileWidth);
            s.extent0 = far;
            s.extent1 = far;
            s.flags = SegmentFlag::RunwayHold;
        }
    }
    testing::AddPolygon(doc, {{-far, -far}, {far, -far}, {far, far}});
    doc.ClearTouched();
    PrepareOpenedDocument(doc);
    doc.SetModifiedFlag(true);
    Save(doc);
    EXPECT_TRUE(std::filesystem::exists(Output("KPAO.bgr")));
    EXPECT_TRUE(std::filesystem::exists(Output("KPAO.tms")));

    // What was written reads back without a complaint about its numbers.
    CRollpathDoc back;
    Attach(back);
    messages.Clear();
    const ArcsecondOrigin origin = OriginToArcseconds(doc.m_Airport.lat, doc.m_Airport.lon);
    ReadNetworkFile(back, Output("KPAO.bgr"), origin.lat, origin.lon);
    ReadPavementFile(back, Output("KPAO.tms"));
    EXPECT_EQ(back.m_nVertices, doc.m_nVertices);
    for (const std::string& text : messages.shown) {
        EXPECT_EQ(text.find("ft from the origin"), std::string::npos) << text;
        EXPECT_EQ(text.find("between 0 and"), std::string::npos) << text;
    }
}

// --- Saving on a failing disk ---------------------------------------------

// A disk that fails during a Save, at every write and at the final rename of
// every file the Save produces: every old file stays as it was (those already
// replaced get their content back), no temporary file is left, the user is
// told which file, where and why, the document stays modified, and the next
// Save on a healthy disk writes everything.

using testing::FaultyFileSystem;
using Fault = FaultyFileSystem::Fault;

struct SavedFile {
    const char* name;
    bool inProgramDir;    // the list and the side file live beside the program
    const char* message;  // what the failed Save's message starts with, before the path
};

// The list already exists when these Saves run, so its writer reports the
// temporary copy it could not make.
const std::vector<SavedFile> kSavedFiles = {
    {"Rollpath.rpj", true, "Cannot create temporary file: "},
    {"KSFO.txp", false, "Cannot create "},
    {"KSFO.bgr", false, "Cannot create "},
    {"KSFO.txd", true, "Cannot create "},
    {"KSFO.tms", false, "Cannot create "},
};

class SaveFaultTest : public testing::PipelineTest {
protected:
    std::filesystem::path PathOf(const SavedFile& f) const {
        return f.inProgramDir ? Program(f.name) : Output(f.name);
    }

    // Every file of both folders, temporary ones included.
    std::map<std::string, std::string> Snapshot() const {
        std::map<std::string, std::string> files;
        for (const auto& folder : {Output(""), Program("")}) {
            for (const auto& entry : std::filesystem::directory_iterator(folder)) {
                files[entry.path().filename().string()] = testing::ReadText(entry.path());
            }
        }
        return files;
    }

    // A new taxi lane and a new polygon, so that every scenery file changes.
    void Edit(int step) {
        const double x = 400.0 + 60.0 * step;
        testing::AddRollpath(doc, {x, -900.0}, {x, -600.0}, 40.0);
        testing::AddPolygon(doc, {{x, 0}, {x + 30, 0}, {x + 30, 40}});
        PrepareOpenedDocument(doc);
        doc.SetModifiedFlag(true);
    }

    // The failing Save and the healthy one after it.
    void FailThenRecover(const SavedFile& f, FaultyFileSystem& faulty, int step) {
        const auto before = Snapshot();
        Edit(step);
        messages.Clear();
        EXPECT_FALSE(Save(doc, faulty));
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_TRUE(messages.shown[0].starts_with(std::string(f.message) + PathOf(f).string() + ": "))
            << messages.shown[0];
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(Snapshot(), before);

        messages.Clear();
        EXPECT_TRUE(Save(doc));
        EXPECT_TRUE(messages.shown.empty()) << messages.shown.front();
        EXPECT_FALSE(doc.IsModified());
        if (std::string(f.name) != "Rollpath.rpj") {
            EXPECT_NE(testing::ReadText(PathOf(f)), before.at(f.name));
        }
    }
};

TEST_F(SaveFaultTest, EveryFileFailingAtEveryWriteAtCloseAndAtRename) {
    ASSERT_TRUE(OpenNew(doc, "KSFO"));
    Edit(0);
    ASSERT_TRUE(Save(doc));
    int step = 1;
    for (const SavedFile& f : kSavedFiles) {
        SCOPED_TRACE(f.name);
        FaultyFileSystem counting(Fault::None, 0, f.name);
        Edit(step++);
        ASSERT_TRUE(Save(doc, counting));
        ASSERT_GE(counting.writes(), 1);
        ASSERT_EQ(counting.renames(), 1);

        for (int n = 1; n <= counting.writes(); ++n) {
            SCOPED_TRACE("write " + std::to_string(n) + " of " + std::to_string(counting.writes()));
            FaultyFileSystem faulty(Fault::Write, n, f.name);
            FailThenRecover(f, faulty, step++);
        }
        for (const Fault fault : {Fault::Create, Fault::Close, Fault::Rename}) {
            SCOPED_TRACE(static_cast<int>(fault));
            FaultyFileSystem faulty(fault, 0, f.name);
            FailThenRecover(f, faulty, step++);
        }
    }
}

}  // namespace
}  // namespace rollpath
