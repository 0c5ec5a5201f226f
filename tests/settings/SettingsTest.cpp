#include <gtest/gtest.h>

#include "settings/Settings.h"
#include "settings/SettingsStore.h"

namespace rollpath {
namespace {

TEST(Settings, DefaultsFromAnEmptyStore) {
    const MemorySettingsStore empty;
    const Settings s = LoadSettings(empty);
    EXPECT_EQ(s, Settings{});
    EXPECT_EQ(s.Size, (WindowRect{10, 10, 600, 470}));
    EXPECT_EQ(s.FlyDirSet, 0);
    EXPECT_TRUE(s.FlyDir.empty());
    EXPECT_EQ(s.EdgeWidth, 1.0);
    EXPECT_EQ(s.CenterOffset, 3.5);
    EXPECT_EQ(s.TurfColor, 0x008000u);
    EXPECT_EQ(s.DirtColor, 0x004080u);
    for (ColorRef c : s.CustomColors) {
        EXPECT_EQ(c, 0xFFFFFFu);
    }
    EXPECT_EQ(s.PodFilesFirst, 1);
    EXPECT_EQ(s.UndoLevels, 100);
    EXPECT_EQ(s.RotationIncrement(), 1.0);
}

TEST(Settings, ScaledValuesAreStoredAsWholeFractions) {
    Settings s;
    s.EdgeWidth = 1.25;
    s.CenterOffset = 3.5;
    s.EdgeInset = 0.29;  // 28.999... in binary; still stored as 29
    s.LiteOffset = -0.57;
    MemorySettingsStore store;
    SaveSettings(s, store);
    EXPECT_EQ(store.ints.at("EdgeWidth"), 125);
    EXPECT_EQ(store.ints.at("CenterOffset"), 35);
    EXPECT_EQ(store.ints.at("EdgeInset"), 29);
    EXPECT_EQ(store.ints.at("LiteOffset"), -57);

    store.SetInt("FlyDirSet", 1);
    const Settings back = LoadSettings(store);
    EXPECT_DOUBLE_EQ(back.EdgeWidth, 1.25);
    EXPECT_DOUBLE_EQ(back.CenterOffset, 3.5);
    EXPECT_DOUBLE_EQ(back.EdgeInset, 0.29);
}

TEST(Settings, ValuesBelowTheStoredUnitAreTruncated) {
    EXPECT_EQ(ScaleForStore(1.259, 100), 125);
    EXPECT_EQ(ScaleForStore(-1.259, 100), -125);
    EXPECT_EQ(ScaleForStore(3.57, 10), 35);
    EXPECT_EQ(ScaleForStore(1e12, 100), 2147483647);
}

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
    EXPECT_EQ(LoadSettings(store), s);
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

TEST(Settings, StoredValuesAreTakenAsTheyAre) {
    MemorySettingsStore store;
    store.SetInt("BezierDepth", 99);
    store.SetInt("LiteSpacing", 0);
    const Settings s = LoadSettings(store);
    EXPECT_EQ(s.BezierDepth, 99);
    EXPECT_EQ(s.LiteSpacing, 0);
}

TEST(Settings, WindowRectNeedsFourNumbers) {
    EXPECT_EQ(ParseWindowRect("1 2 3 4"), (WindowRect{1, 2, 3, 4}));
    EXPECT_EQ(ParseWindowRect("1 2 3"), WindowRect{});
    EXPECT_EQ(ParseWindowRect(""), WindowRect{});
    EXPECT_EQ(ParseWindowRect("a b c d"), WindowRect{});
    EXPECT_EQ(ParseWindowRect("5 6 7 8 9"), (WindowRect{5, 6, 7, 8}));
}

TEST(Settings, RotationIncrementChoices) {
    Settings s;
    s.Rotation = 0;
    EXPECT_EQ(s.RotationIncrement(), 0.25);
    s.Rotation = 1;
    EXPECT_EQ(s.RotationIncrement(), 0.5);
    s.Rotation = 2;
    EXPECT_EQ(s.RotationIncrement(), 1.0);
}

}  // namespace
}  // namespace rollpath
