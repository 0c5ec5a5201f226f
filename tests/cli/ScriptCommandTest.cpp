// rollpath-cli script: headless editor sessions on KPAO (one runway through
// the benchmark, running north-west; the space north-east of it is free).

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cli/CliTestSupport.h"
#include "cli/ScriptHost.h"
#include "cli/ScriptSession.h"
#include "support/SampleInstallation.h"
#include "view/dialogs/RollpathWidthModel.h"

namespace rollpath::cli {
namespace {

class ScriptCommand : public CliTest {
protected:
    void SetUp() override { InstallLayout("loose"); }

    // Runs the script text; the dump, when the script wrote one to "dump.json".
    Outcome Script(const std::string& text) {
        const std::filesystem::path file = dir / "session.script";
        std::ofstream(file, std::ios::binary) << text;
        return Call(&RunScript,
                    {file.string(), "--fly-dir", Fly("loose"), "--project-dir", (dir / "project").string()});
    }

    JsonValue Dump(const std::string& text) {
        const Outcome run = Script(text + "dump-doc " + (dir / "dump.json").string() + "\n");
        EXPECT_EQ(run.status, kExitSuccess) << run.err;
        err = run.err;
        std::optional<JsonValue> json = ParseJson(ReadText(dir / "dump.json"));
        EXPECT_TRUE(json.has_value());
        return json.value_or(JsonValue{});
    }

    static DPoint PointOf(const JsonValue& p) { return DPoint{p["x"].Number(), p["y"].Number()}; }
    static DPoint VertexAt(const JsonValue& doc, double index) {
        return PointOf(doc["document"]["vertices"][static_cast<std::size_t>(index)]);
    }
    static bool Near(const DPoint& a, const DPoint& b, double feet) {
        return std::hypot(a.x - b.x, a.y - b.y) <= feet;
    }

    std::string err;
};

// A pixel at KPAO's first zoom is about 2.5 ft.
constexpr double kPixelFeet = 3.0;

TEST_F(ScriptCommand, TheRollpathToolDrawsAChainThatSharesItsVertices) {
    const JsonValue json = Dump(
        "new KPAO\n"
        "command rollpath-tool\n"
        "click 600 900\nclick 900 600\nclick 900 300\nrclick 900 300\n");
    const JsonValue& segments = json["document"]["segments"];
    ASSERT_EQ(segments.size(), 3u);  // the runway's centre line and the chain
    const JsonValue& a = segments[1];
    const JsonValue& b = segments[2];
    EXPECT_EQ(a["vertex1"].Number(), b["vertex0"].Number());
    EXPECT_TRUE(Near(VertexAt(json, a["vertex0"].Number()), {600, 900}, kPixelFeet));
    EXPECT_TRUE(Near(VertexAt(json, b["vertex0"].Number()), {900, 600}, kPixelFeet));
    EXPECT_TRUE(Near(VertexAt(json, b["vertex1"].Number()), {900, 300}, kPixelFeet));
    EXPECT_EQ(a["type"].Number(), 1);
    EXPECT_EQ(a["width"].Number(), 50);
    EXPECT_EQ(a["reserved"].Number(), 0);
    EXPECT_EQ(a["outline"].size(), 6u);
    EXPECT_TRUE(json["document"]["modified"].Bool());
    const JsonValue& view = json["view"];
    EXPECT_EQ(view["rollpathTool"].Number(), 0);
    EXPECT_EQ(view["dragState"].Number(), 0);
    EXPECT_EQ(view["undo"]["kind"].Number(), 1);
    EXPECT_EQ(view["undo"]["steps"].Number(), 1);
    // The corner between the two got its junction pavement.
    EXPECT_GT(
        json["document"]["vertices"][static_cast<std::size_t>(a["vertex1"].Number())]["junctionPolys"].size(),
        0u);
    EXPECT_EQ(json["document"]["tileGrid"]["columns"].Number(), 8);
}

TEST_F(ScriptCommand, ALeftAndRightClickAtOneSpotDrawNothing) {
    const JsonValue json = Dump("new KPAO\ncommand rollpath-tool\nclick 600 900\nrclick 600 900\n");
    EXPECT_EQ(json["document"]["segments"].size(), 1u);
    EXPECT_EQ(json["view"]["rollpathTool"].Number(), 0);
    EXPECT_FALSE(json["document"]["modified"].Bool());
}

TEST_F(ScriptCommand, ThePolygonToolClosesWithoutADuplicatePoint) {
    const JsonValue json = Dump(
        "new KPAO\n"
        "command polygon-tool\n"
        "click 700 1100\nclick 1000 1100\nclick 1100 800\nclick 702 1098\nrclick 702 1098\n");
    const JsonValue& polygons = json["document"]["polygons"];
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0]["points"].size(), 3u);
    EXPECT_EQ(polygons[0]["kind"].Number(), 1);
    EXPECT_EQ(json["view"]["undo"]["kind"].Number(), 11);
    EXPECT_EQ(json["view"]["polygonTool"].Number(), 0);
}

TEST_F(ScriptCommand, SourceAndSinkArePlacedOnVertices) {
    const JsonValue json = Dump(
        "new KPAO\n"
        "command rollpath-tool\nclick 600 900\nclick 900 600\nrclick 900 600\n"
        "command place-sink\nclick 600 900\n"
        "command place-source\nclick 900 600\n"
        "command 32798\nclick 600 900\n");
    const JsonValue& segment = json["document"]["segments"][1];
    // The Source placed on the Sink takes it.
    EXPECT_EQ(json["document"]["source"].Number(), segment["vertex0"].Number());
    EXPECT_EQ(json["document"]["sink"].Number(), -1);
    EXPECT_EQ(json["view"]["placeSource"].Number(), 0);
}

TEST_F(ScriptCommand, AVertexIsDraggedAndTheDragIsOneUndoStep) {
    const JsonValue json = Dump(
        "new KPAO\n"
        "command rollpath-tool\nclick 600 900\nclick 900 600\nrclick 900 600\n"
        "press 900 600\nmove 950 700\nrelease 1000 800\n");
    const JsonValue& segment = json["document"]["segments"][1];
    EXPECT_TRUE(Near(VertexAt(json, segment["vertex1"].Number()), {1000, 800}, kPixelFeet));
    EXPECT_EQ(json["view"]["undo"]["kind"].Number(), 2);
    EXPECT_EQ(json["view"]["undo"]["steps"].Number(), 2);
}

TEST_F(ScriptCommand, ContextCommandsSplitEditDeleteAndUndo) {
    const JsonValue json = Dump(
        "new KPAO\n"
        "command rollpath-tool\nclick 600 900\nclick 900 600\nrclick 900 600\n"
        "rclick 750 750\ncommand insert-vertex\n"
        "dialog Width=35\ncommand context-properties\n"
        "rclick 840 660\ncommand context-cut\nundo\n"
        "dialog Width=42\ncommand width\n");
    const JsonValue& segments = json["document"]["segments"];
    ASSERT_EQ(segments.size(), 3u) << err;
    EXPECT_EQ(segments[1]["width"].Number(), 35);
    EXPECT_EQ(segments[1]["state"].Number(), 0);
    EXPECT_EQ(segments[2]["state"].Number(), 0);
    EXPECT_EQ(segments[1]["vertex1"].Number(), segments[2]["vertex0"].Number());
    EXPECT_TRUE(Near(VertexAt(json, segments[1]["vertex1"].Number()), {750, 750}, kPixelFeet));
    // Undo takes the Cut back; the split and the properties stay undoable.
    EXPECT_EQ(json["view"]["redo"]["kind"].Number(), 4);
    EXPECT_EQ(json["view"]["undo"]["steps"].Number(), 3);
    EXPECT_EQ(json["view"]["rollpathWidth"].Number(), 42);
}

TEST_F(ScriptCommand, ARightClickRecordsTheContextAndKeysAndCharactersReachTheView) {
    const JsonValue json = Dump(
        "new KPAO\n"
        "command vertices\n"
        "rclick 0 0\n"
        "char +\nchar >\nkey Right\n");
    // The runway's centre line passes through the benchmark.
    EXPECT_EQ(json["view"]["context"]["kind"].Number(), 1);
    EXPECT_EQ(json["view"]["contextMenus"].Number(), 1);
    EXPECT_EQ(json["document"]["rotation"].Number(), 359);
}

TEST_F(ScriptCommand, ADisabledCommandIsSkippedWithANote) {
    const Outcome run = Script("new KPAO\ncommand rollpath-tool\ncommand polygon-tool\n");
    EXPECT_EQ(run.status, kExitSuccess) << run.err;
    EXPECT_NE(run.err.find("command polygon-tool is disabled"), std::string::npos) << run.err;
}

TEST_F(ScriptCommand, SaveAsksNothingAndTheNextNewAsksToSave) {
    const Outcome run = Script(
        "new KPAO\n"
        "command rollpath-tool\nclick 600 900\nclick 900 600\nrclick 900 600\n"
        "answer cancel\nnew KPAO\n"
        "answer yes\nnew KPAO\n"
        "render " +
        (dir / "kpao.svg").string() + "\n");
    ASSERT_EQ(run.status, kExitSuccess) << run.err;
    EXPECT_NE(run.err.find("question: Save changes to KPAO? -> cancel"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("question: Save changes to KPAO? -> yes"), std::string::npos) << run.err;
    EXPECT_TRUE(std::filesystem::is_regular_file(dir / "loose" / "Data" / "KPAO.bgr"));
    EXPECT_EQ(ReadText(dir / "kpao.svg").rfind("<?xml", 0), 0u);
    // Info opens the airport as the editor does: the runway's centre line and
    // the rollpath saved.
    const Args info{"KPAO", "--fly-dir", Fly("loose"), "--project-dir", (dir / "project").string()};
    EXPECT_EQ(Info(info)["segments"].size(), 2u);
}

TEST_F(ScriptCommand, SaveShowsThePolygonsItCouldNotTriangulateInRed) {
    const std::filesystem::path svg = dir / "red.svg";
    const Outcome run = Script(
        "new KPAO\ncommand polygon-tool\n"
        "click 1100 1100\nclick 1200 1200\nclick 1300 1100\nclick 1300 1200\nclick 1200 1100\nclick 1100 "
        "1200\n"
        "click 1101 1101\nrclick 1101 1101\nsave\nrender " +
        svg.string() + "\n");
    ASSERT_EQ(run.status, kExitSuccess) << run.err;
    EXPECT_NE(run.err.find("message: Polygon triangulation error(s): shown in red."), std::string::npos)
        << run.err;
    EXPECT_NE(ReadText(svg).find("class=\"triangulation-errors\""), std::string::npos);
}

TEST_F(ScriptCommand, SaveRenumbersTheVerticesAndTheViewLetsGoOfOldNumbers) {
    const JsonValue json = Dump(
        "new KPAO\n"
        "command rollpath-tool\nclick 600 900\nclick 600 900\nclick 900 600\nrclick 900 600\n"
        "press 900 600\nrelease 950 650\n"
        "save\n");
    EXPECT_FALSE(json["document"]["modified"].Bool());
    // The dropped segment's two vertices are gone from the pool.
    EXPECT_EQ(json["document"]["vertices"].size(), 4u);
    // The edits before the Save can still be undone.
    EXPECT_EQ(json["view"]["undo"]["kind"].Number(), 2);
}

struct FailureCase {
    const char* name;
    const char* script;
    int status;
    const char* says;
};

TEST_F(ScriptCommand, UnknownCommandsAndFailedOpensStopTheScript) {
    const FailureCase cases[] = {
        {"unknown command", "new KPAO\n\n# comment\njump 1 2\nsave\n", kExitUsage,
         "session.script:4: unknown command 'jump'"},
        {"unknown menu command", "command fly\n", kExitUsage, ":1: unknown command 'fly'"},
        {"bad coordinates", "new KPAO\nclick a 2\n", kExitUsage, ":2: usage: click X Y [shift]"},
        {"unclosed quote", "dialog \"Width=3\n", kExitUsage, ":1: unclosed quote"},
        {"unknown key", "key Tab\n", kExitUsage, ":1: usage: key"},
        {"failed open", "new ZZZZ\nsave\n", kExitFailure, ":1: cannot open airport 'ZZZZ'"},
        {"open of a long code", "open TOOLONG\n", kExitFailure,
         "message: Airport codes have 3 to 5 letters and digits"},
    };
    for (const FailureCase& c : cases) {
        const Outcome run = Script(c.script);
        EXPECT_EQ(run.status, c.status) << c.name << ": " << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << c.name << ": " << run.err;
    }
}

TEST_F(ScriptCommand, PointsFarOffTheAirportAreClickedWithoutOverflow) {
    // Found by fuzzing: world points far outside the view saturate in
    // logical units, and turning those into pixels overflowed.
    const Outcome run = Script(
        "new KPAO\nsize 1200 900\ncommand rollpath-tool\nclick 1e300 -1e300\nmove -1e300 1e300\n"
        "rclick 2e9 2e9\nclick 0 0 shift\n");
    EXPECT_EQ(run.status, kExitSuccess) << run.err;
}

TEST_F(ScriptCommand, TheProgramRunsTheSampleScript) {
    const std::filesystem::path samples = rollpath::testing::SamplesDir();
    const std::filesystem::path work = dir / "work";
    std::filesystem::create_directories(work);
    const Outcome run = Program({"script", (samples / "kpao-taxiway.script").string(), "--fly-dir",
                                 Fly("loose"), "--project-dir", (dir / "project").string()},
                                work);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::optional<JsonValue> json = ParseJson(ReadText(work / "kpao-taxiway.json"));
    ASSERT_TRUE(json);
    EXPECT_EQ((*json)["document"]["segments"].size(), 4u);
    EXPECT_EQ((*json)["document"]["polygons"].size(), 1u);
    EXPECT_NE((*json)["document"]["source"].Number(), -1);
    EXPECT_NE((*json)["document"]["sink"].Number(), -1);
    EXPECT_TRUE(std::filesystem::is_regular_file(work / "kpao-taxiway.svg"));
}

// --- The pieces ----------------------------------------------------------------------

struct SplitCase {
    const char* line;
    std::vector<std::string> words;
};

TEST(SplitScriptLine, WordsQuotesAndComments) {
    const SplitCase cases[] = {
        {"", {}},
        {"   # only a comment", {}},
        {"click 10 -20.5 shift", {"click", "10", "-20.5", "shift"}},
        {"dialog Width=35 \"Runway Hold\"=1", {"dialog", "Width=35", "Runway Hold=1"}},
        {"answer \"C:\\Fly II\\diagram.bmp\"", {"answer", "C:\\Fly II\\diagram.bmp"}},
        {"char x # a comment", {"char", "x"}},
        {"char a#b", {"char", "a#b"}},
        {"\tmove\t1  2 ", {"move", "1", "2"}},
    };
    for (const SplitCase& c : cases) {
        std::vector<std::string> words;
        std::string error;
        EXPECT_TRUE(SplitScriptLine(c.line, words, error)) << c.line;
        EXPECT_EQ(words, c.words) << c.line;
    }
}

TEST(ScriptHost, DialogsTakeTheQueuedResponsesInOrder) {
    std::ostringstream err;
    std::deque<ScriptResponse> responses;
    ScriptMessageSink messages(err, responses);
    ScriptHost host(messages, err, responses);
    ScriptResponse fields;
    fields.type = ScriptResponse::Type::Fields;
    fields.fields = {{"Width", "35"}, {"x 0.1", "1"}};
    responses = {fields, ScriptResponse::FromAnswer("12.5"), ScriptResponse::FromAnswer("CANCEL"),
                 ScriptResponse::FromAnswer("yes")};
    RollpathWidthModel a(50.0);
    EXPECT_TRUE(host.RunDialog(a));
    EXPECT_EQ(a.Width(), 35.0);
    EXPECT_TRUE(a.IsChecked(RollpathWidthModel::kFineStep));
    RollpathWidthModel b(50.0);
    EXPECT_TRUE(host.RunDialog(b));  // a bare text goes to the first field
    EXPECT_EQ(b.Width(), 12.5);
    RollpathWidthModel c(50.0);
    EXPECT_FALSE(host.RunDialog(c));
    RollpathWidthModel d(50.25);
    EXPECT_TRUE(host.RunDialog(d));
    EXPECT_EQ(d.Width(), 50.25);  // OK on the shown text keeps every digit
    // Nothing queued: cancelled.
    RollpathWidthModel e(50.0);
    EXPECT_FALSE(host.RunDialog(e));
    EXPECT_EQ(host.dialogs.shown.size(), 5u);
    EXPECT_NE(err.str().find("dialog: Set Rollpath Width -> ok\n"), std::string::npos);
    EXPECT_TRUE(host.fieldError.empty());
    // A control the dialog lacks is a script error, and the dialog is cancelled.
    fields.fields = {{"Length", "3"}};
    responses = {fields};
    RollpathWidthModel f(50.0);
    EXPECT_FALSE(host.RunDialog(f));
    EXPECT_EQ(host.fieldError.rfind("dialog \"Set Rollpath Width\": ", 0), 0u) << host.fieldError;
}

TEST(ScriptHost, FileDialogsTakeATextAsThePath) {
    std::ostringstream err;
    std::deque<ScriptResponse> responses{ScriptResponse::FromAnswer("C:\\maps\\kpao.bmp"),
                                         ScriptResponse::FromAnswer("cancel")};
    ScriptMessageSink messages(err, responses);
    ScriptHost host(messages, err, responses);
    const FileOpenRequest request{"Load Diagram", "Bitmaps (*.bmp)|*.bmp||", "", "bmp", true};
    EXPECT_EQ(host.GetOpenFileName(request), std::optional<std::string>("C:\\maps\\kpao.bmp"));
    EXPECT_EQ(host.GetOpenFileName(request), std::nullopt);
    EXPECT_EQ(host.GetOpenFileName(request), std::nullopt);
    EXPECT_TRUE(responses.empty());
}

TEST(ScriptHost, QuestionsTakeOnlyAnswersAndLeaveDialogValuesQueued) {
    std::ostringstream err;
    std::deque<ScriptResponse> responses;
    ScriptMessageSink messages(err, responses);
    ScriptResponse fields;
    fields.type = ScriptResponse::Type::Fields;
    fields.fields = {{"Width", "35"}};
    responses = {fields};
    EXPECT_EQ(messages.Ask("Save changes?"), Answer::Cancel);
    EXPECT_EQ(responses.size(), 1u);
    responses = {ScriptResponse::FromAnswer("No")};
    EXPECT_EQ(messages.Ask("Save changes?"), Answer::No);
    EXPECT_TRUE(responses.empty());
    EXPECT_EQ(err.str(), "question: Save changes? -> cancel\nquestion: Save changes? -> no\n");
}

}  // namespace
}  // namespace rollpath::cli
