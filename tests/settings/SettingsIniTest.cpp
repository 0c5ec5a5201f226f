#include <gtest/gtest.h>

#include "settings/Settings.h"
#include "settings/SettingsIni.h"
#include "support/TempDir.h"

namespace rollpath {
namespace {

TEST(SettingsIni, ReadsTheSettingsSectionAsTheEditorStoresIt) {
    const IniSettingsStore store = IniSettingsStore::Parse(
        "; comment\n"
        "[Other]\nEdgeWidth=999\n"
        "[Settings]\n"
        "FlyDir = \"/opt/fly dir\"\r\n"
        "EdgeWidth=125\n"
        "CenterOffset=42\n"
        "AsphaltColor=0x00FF0000\n"
        "BezierDepth=seven\n"
        "MarkShort=050\n"
        "RunwayExit=+0300\n"
        "MaxSegLength=99999999999\n"
        "garbage line\n"
        "=5\n");
    const Settings s = SettingsFromIni(store);
    EXPECT_EQ(s.FlyDir, "/opt/fly dir");
    EXPECT_EQ(s.FlyDirSet, 1);
    EXPECT_DOUBLE_EQ(s.EdgeWidth, 1.25);
    EXPECT_DOUBLE_EQ(s.CenterOffset, 4.2);
    EXPECT_EQ(s.AsphaltColor, 0x00FF0000u);
    EXPECT_EQ(s.BezierDepth, 5);  // not a number: the default stays
    EXPECT_EQ(s.MarkShort, 50);   // decimal, whatever its leading zeros
    EXPECT_EQ(s.RunwayExit, 300);
    EXPECT_EQ(s.MaxSegLength, 25);  // out of range: the default stays
    EXPECT_TRUE(s.OutputDir.empty());
}

TEST(SettingsIni, KeysWithoutASectionAndRoundTripThroughTheStore) {
    Settings original;
    original.LiteSpacing = 60;
    original.CustomColors[3] = Rgb(1, 2, 3);
    IniSettingsStore store;
    SaveSettings(original, store);
    std::string text;
    for (const auto& [key, value] : store.ints) {
        text += key + "=" + std::to_string(value) + "\n";
    }
    for (const auto& [key, value] : store.texts) {
        text += key + "=" + value + "\n";
    }
    const Settings back = SettingsFromIni(IniSettingsStore::Parse(text));
    EXPECT_EQ(back.LiteSpacing, 60);
    EXPECT_EQ(back.CustomColors[3], Rgb(1, 2, 3));
}

TEST(SettingsIni, MissingFileAndHostileBytes) {
    testing::TempDir dir;
    EXPECT_FALSE(IniSettingsStore::Load(dir / "none.ini").has_value());
    std::string noise;
    for (int i = 0; i < 4096; ++i) {
        noise.push_back(static_cast<char>((i * 7919) & 0xFF));
    }
    const Settings s = SettingsFromIni(IniSettingsStore::Parse(noise));
    EXPECT_EQ(s.Size, WindowRect{});
}

}  // namespace
}  // namespace rollpath
