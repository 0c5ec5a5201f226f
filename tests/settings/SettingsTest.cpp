#include <gtest/gtest.h>

#include "settings/Settings.h"
#include "settings/SettingsIni.h"
#include "settings/SettingsStore.h"

namespace rollpath {
namespace {

// Every key comes back as saved; scaled values go through the store as whole
// fractions (0.29 is 28.999... hundredths in binary and must still store as 29).
TEST(Settings, EveryKeyRoundTrips) {
    Settings s;
    s.Size = {-8, -8, 1928, 1048};
    s.FlyDirSet = 1;
    s.FlyDir = "/sim/Fly";
    s.OutputDir = "/sim/Fly/Data";
    s.Rotation = 0;
    s.MaxSegLength = 30;
    s.MaxVertexRadius = 12;
    s.MaxPolyVertex = 40;
    s.BezierDepth = 8;
    s.EdgeWidth = 1.5;
    s.EdgeInset = 2.25;
    s.MarkShort = 75;
    s.RunwayExit = 250;
    s.CenterOffset = 4.2;
    s.RunwayExitMax = 900;
    s.LiteOffset = 10.0;
    s.LiteSpacing = 60;
    s.AsphaltColor = Rgb(1, 2, 3);
    s.ConcreteColor = Rgb(4, 5, 6);
    s.TurfColor = Rgb(7, 8, 9);
    s.DirtColor = Rgb(10, 11, 12);
    s.RollpathColor = Rgb(13, 14, 15);
    s.PolygonColor = Rgb(16, 17, 18);
    s.PreciseClipping = 0;
    s.PodFilesFirst = 0;
    s.UndoLevels = 7;
    s.DisabledChecks = "polygon,sharp-turn";
    s.CustomColors[15] = Rgb(255, 0, 0);
    MemorySettingsStore store;
    SaveSettings(s, store);
    EXPECT_EQ(store.texts.at("Size"), "-8 -8 1928 1048");
    EXPECT_EQ(store.ints.at("CustomColor15"), 0x0000FF);
    EXPECT_EQ(store.ints.at("EdgeWidth"), 150);
    EXPECT_EQ(LoadSettings(store), s);
    s.EdgeInset = 0.29;
    s.LiteOffset = -0.57;
    SaveSettings(s, store);
    EXPECT_EQ(store.ints.at("EdgeInset"), 29);
    EXPECT_EQ(store.ints.at("LiteOffset"), -57);
}

TEST(Settings, FoldersAreReadOnlyOnceChosen) {
    MemorySettingsStore store;
    store.SetText("FlyDir", "/old");
    store.SetText("OutputDir", "/old/Data");
    EXPECT_TRUE(LoadSettings(store).FlyDir.empty());
    store.SetInt("FlyDirSet", 1);
    const Settings s = LoadSettings(store);
    EXPECT_EQ(s.FlyDir, "/old");
    EXPECT_EQ(s.OutputDir, "/old/Data");
    EXPECT_TRUE(RefusedFolderMessages(store).empty());
    // Too long to be held: refused whole, with a word why, never cut into
    // another folder (here inside a two-byte character).
    const std::string longest = "/" + std::string(257, 'a') + "\xC3\xA9";
    store.SetText("OutputDir", longest.substr(0, 259));
    store.SetText("FlyDir", longest);
    EXPECT_EQ(LoadSettings(store).OutputDir, longest.substr(0, 259));
    EXPECT_TRUE(LoadSettings(store).FlyDir.empty());
    EXPECT_EQ(RefusedFolderMessages(store),
              std::vector<std::string>{"The stored FlyDir folder is longer than 259 bytes and is not used"});
}

TEST(SettingsIni, ReadsTheSettingsSectionAsTheEditorStoresIt) {
    const IniSettingsStore store = IniSettingsStore::Parse(
        "; comment\n"
        "[Other]\nEdgeWidth=999\n"
        "[Settings]\n"
        "FlyDir = \"/opt/fly dir\"\r\n"
        "EdgeWidth=125\n"
        "AsphaltColor=0x00FF0000\n"
        "BezierDepth=seven\n"
        "MarkShort=050\n"
        "RunwayExit=+0300\n"
        "MaxSegLength=99999999999\n"
        "garbage line\n"
        "=5\n");
    const Settings s = SettingsFromIni(store);
    // BezierDepth is not a number and MaxSegLength out of range: their
    // defaults stay. MarkShort is decimal, whatever its leading zeros.
    EXPECT_EQ(std::tie(s.FlyDir, s.FlyDirSet, s.EdgeWidth, s.AsphaltColor, s.BezierDepth, s.MarkShort,
                       s.RunwayExit, s.MaxSegLength),
              std::tuple("/opt/fly dir", 1, 1.25, 0x00FF0000u, 5, 50, 300, 25));
}

}  // namespace
}  // namespace rollpath
