// The Position and Open Project dialogs' models.

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "document/ProjectList.h"
#include "project/DocumentPipeline.h"
#include "support/TempDir.h"
#include "view/dialogs/OpenProjectModel.h"
#include "view/dialogs/PositionModel.h"
#include "view/dialogs/ScriptedDialogs.h"

namespace rollpath {
namespace {

using Posts = std::vector<std::pair<int, int>>;

class PositionDialog : public ::testing::Test {
protected:
    Posts posts;
    PositionModel dialog{[this](int code, int value) { posts.emplace_back(code, value); }};
};

TEST(OpenProject, ListsTheSectionsOfTheProjectList) {
    testing::TempDir dir("rollpath-open-project");
    const auto list = dir / kProjectListName;
    std::ofstream(list, std::ios::binary) << "[KABC]\ntxp=KABC.txp\n;[KXYZ]\n[KDEF]\n[KLMN]";
    OpenProjectModel dialog(ReadProjectSections(list));
    EXPECT_EQ(dialog.Title(), "Open Project");
    const DialogControl* entries = dialog.Find(OpenProjectModel::kList);
    ASSERT_NE(entries, nullptr);
    EXPECT_EQ(entries->items, (std::vector<std::string>{"KABC", "KDEF"}));
    EXPECT_EQ(entries->selected, 0);
    ASSERT_TRUE(dialog.Ok());
    EXPECT_EQ(dialog.Choice().code, "KABC");
    EXPECT_FALSE(dialog.Choice().safeMode);

    std::string problem;
    ASSERT_TRUE(dialog.SetField("Airports", "KDEF", problem)) << problem;
    ASSERT_TRUE(dialog.SetField("No polygons (safe mode)", "1", problem)) << problem;
    EXPECT_EQ(dialog.Choice().code, "KDEF");
    EXPECT_TRUE(dialog.Choice().safeMode);
    EXPECT_FALSE(dialog.SetField("Airports", "KXYZ", problem));
    EXPECT_EQ(problem, "Airports has no entry KXYZ");
}

TEST(OpenProject, TheOpenCommandRefusesAnEntryLongerThanACode) {
    testing::TempDir dir("rollpath-open-long");
    std::ofstream(dir / kProjectListName, std::ios::binary)
        << "[TOOLONGCODE]\ntxp=a\nbgr=b\nbmp=\"\" 0 0 100 0\n";
    RecordingMessageSink messages;
    CRollpathDoc doc;
    doc.SetMessageSink(&messages);
    doc.SetProgramDir(dir.path());
    ScriptedDialogs dialogs;
    dialogs.Queue(DialogAnswer{});
    HostedOpenProjectDialog dialog(dialogs);
    PendingProject pending;
    EXPECT_FALSE(OnFileOpen(doc, dialog, pending));
    EXPECT_EQ(dialogs.shown, (std::vector<std::string>{"Open Project"}));
    EXPECT_EQ(messages.shown, (std::vector<std::string>{kBadCodeMessage}));
    // Cancel opens nothing and says nothing.
    messages.Clear();
    EXPECT_FALSE(OnFileOpen(doc, dialog, pending));
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace rollpath
