#include <cmath>
#include <fstream>
#include <limits>

#include "document/ProjectList.h"
#include "project/PipelineFixture.h"

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

}  // namespace
}  // namespace rollpath
