// The Position and Open Project dialogs' models and the scripted dialog host.

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
#include "view/dialogs/RollpathWidthModel.h"
#include "view/dialogs/ScriptedDialogs.h"

namespace rollpath {
namespace {

using Posts = std::vector<std::pair<int, int>>;

class PositionDialog : public ::testing::Test {
protected:
    Posts posts;
    PositionModel dialog{[this](int code, int value) { posts.emplace_back(code, value); }};
};

TEST_F(PositionDialog, TypingPostsAtOnce) {
    dialog.SetValues(-40, 75, 100);
    EXPECT_TRUE(posts.empty());
    EXPECT_EQ(dialog.TextOf(PositionModel::kHorizontal), "-40");
    EXPECT_EQ(dialog.TextOf(PositionModel::kVertical), "75");
    EXPECT_EQ(dialog.TextOf(PositionModel::kScale), "100");
    dialog.TypeText(PositionModel::kHorizontal, "250");
    dialog.TypeText(PositionModel::kVertical, "-3");
    // A scale that is no whole number from 1 to 10000 is not sent: the
    // diagram keeps its own, and OK refuses it.
    for (const char* text : {"1e3", "", "0", "-20", "10001"}) {
        dialog.TypeText(PositionModel::kScale, text);
        EXPECT_FALSE(dialog.Ok()) << text;
        EXPECT_EQ(dialog.Refusal()->message, "Please enter a number between 1 and 10000.");
    }
    dialog.TypeText(PositionModel::kScale, "1");
    EXPECT_EQ(posts, (Posts{{2, 250}, {3, -3}, {4, 1}}));
    EXPECT_EQ(dialog.Title(), "Position");
    EXPECT_TRUE(dialog.IsModeless());
    EXPECT_EQ(dialog.Buttons(), DialogButtons::Ok);
}

TEST_F(PositionDialog, SpinsStepAndPost) {
    dialog.SetValues(0, 0, 100);
    dialog.TypeText(PositionModel::kHorizontal, "250");
    std::string problem;
    ASSERT_TRUE(dialog.SetField("Horizontal x 100", "1", problem)) << problem;
    dialog.SpinUp(PositionModel::kHorizontalSpin);
    EXPECT_EQ(dialog.TextOf(PositionModel::kHorizontal), "350");
    dialog.SpinDown(PositionModel::kVerticalSpin);
    dialog.Click(PositionModel::kScaleCoarse);
    dialog.SpinDown(PositionModel::kScaleSpin);
    dialog.Click(PositionModel::kVerticalCoarse);
    dialog.SpinUp(PositionModel::kVerticalSpin);
    EXPECT_EQ(posts, (Posts{{2, 250}, {2, 350}, {3, -1}, {4, 90}, {3, 99}}));
    // A field without a number steps from 0; "%d" reads the leading digits.
    dialog.TypeText(PositionModel::kScale, "abc");
    dialog.SpinUp(PositionModel::kScaleSpin);
    EXPECT_EQ(dialog.TextOf(PositionModel::kScale), "10");
    dialog.TypeText(PositionModel::kScale, "120%");
    dialog.SpinUp(PositionModel::kScaleSpin);
    EXPECT_EQ(dialog.TextOf(PositionModel::kScale), "130");
    // The limits hold.
    dialog.SetValues(2147483600, 0, 0);
    dialog.SpinUp(PositionModel::kHorizontalSpin);
    EXPECT_EQ(dialog.TextOf(PositionModel::kHorizontal), "2147483647");
}

TEST_F(PositionDialog, OkAndEscapeTellTheView) {
    EXPECT_TRUE(dialog.Ok());
    dialog.Cancel();
    EXPECT_EQ(posts, (Posts{{1, 0}, {0, 0}}));
}

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

TEST(OpenProject, SortsIgnoringCaseAndKeepsLongNamesWhole) {
    OpenProjectModel dialog({"kzz", "KSFO", "Kabc", "VERYLONGNAME"});
    EXPECT_EQ(dialog.Find(OpenProjectModel::kList)->items,
              (std::vector<std::string>{"Kabc", "KSFO", "kzz", "VERYLONGNAME"}));
    dialog.SelectItem(OpenProjectModel::kList, 3);
    EXPECT_EQ(dialog.Choice().code, "VERYLONGNAME");
    dialog.SelectItem(OpenProjectModel::kList, 9);
    EXPECT_EQ(dialog.Choice().code, "");

    OpenProjectModel empty({});
    EXPECT_EQ(empty.Find(OpenProjectModel::kList)->selected, -1);
    EXPECT_EQ(empty.Choice().code, "");
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

TEST(ScriptedDialogs, AnswersTheNextDialogOrCancelsIt) {
    ScriptedDialogs dialogs;
    RollpathWidthModel unanswered(50.0);
    EXPECT_FALSE(dialogs.RunDialog(unanswered));

    dialogs.Queue(DialogAnswer{{{"Width", "35"}, {"Depth", "3"}, {"x 0.1", "maybe"}}, DialogEnd::Ok});
    dialogs.Queue(DialogAnswer{{{"Width", "20"}}, DialogEnd::Cancel});
    RollpathWidthModel first(50.0);
    EXPECT_TRUE(dialogs.RunDialog(first));
    EXPECT_EQ(first.Width(), 35.0);
    RollpathWidthModel second(50.0);
    EXPECT_FALSE(dialogs.RunDialog(second));
    EXPECT_FALSE(dialogs.HasQueuedAnswers());
    EXPECT_EQ(dialogs.shown,
              (std::vector<std::string>{"Set Rollpath Width", "Set Rollpath Width", "Set Rollpath Width"}));
    EXPECT_EQ(dialogs.problems, (std::vector<std::string>{"Set Rollpath Width has no field Depth",
                                                          "x 0.1 takes 1 or 0, not maybe"}));
}

TEST(ScriptedDialogs, AnswersAnOpenModelessDialogAtOnce) {
    ScriptedDialogs dialogs;
    Posts posts;
    PositionModel position([&](int code, int value) {
        posts.emplace_back(code, value);
        if (code <= 1) {
            dialogs.CloseModeless(position);
        }
    });
    EXPECT_FALSE(dialogs.AnswerModeless(DialogAnswer{}));
    dialogs.ShowModeless(position);
    EXPECT_EQ(dialogs.OpenModeless(), &position);
    EXPECT_TRUE(dialogs.AnswerModeless(DialogAnswer{{{"Horizontal", "250"}}, DialogEnd::KeepOpen}));
    EXPECT_EQ(dialogs.OpenModeless(), &position);
    EXPECT_TRUE(dialogs.AnswerModeless(DialogAnswer{{{"Scale", "150"}}, DialogEnd::Ok}));
    EXPECT_EQ(dialogs.OpenModeless(), nullptr);
    EXPECT_EQ(posts, (Posts{{2, 250}, {4, 150}, {1, 0}}));
}

TEST(ScriptedDialogs, FileNamesComeFromTheirOwnQueue) {
    ScriptedDialogs dialogs;
    FileOpenRequest request;
    request.title = "Load Airport Diagram";
    EXPECT_EQ(dialogs.GetOpenFileName(request), std::nullopt);
    dialogs.QueueFileName("a.bmp");
    dialogs.QueueFileName(std::nullopt);
    EXPECT_EQ(dialogs.GetOpenFileName(request), "a.bmp");
    EXPECT_EQ(dialogs.GetOpenFileName(request), std::nullopt);
    EXPECT_EQ(dialogs.shown.size(), 3u);
}

}  // namespace
}  // namespace rollpath
