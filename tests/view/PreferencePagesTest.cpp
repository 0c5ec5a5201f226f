#include <gtest/gtest.h>

#include <climits>
#include <tuple>
#include <utility>

#include "settings/SettingsStore.h"
#include "view/preferences/PreferencePages.h"

namespace rollpath {
namespace {

// Integers as the framework's data exchange reads them; decimals as the
// dialogs read them (tests of DialogText), but nothing that is not finite.
TEST(PageFields, FieldsParseLikeTheFrameworksDataExchange) {
    for (const auto& [text, value] :
         {std::pair{"5", 5}, {" 7 ", 7}, {"2147483647", INT_MAX}, {"-2147483648", INT_MIN}}) {
        EXPECT_EQ(ParseIntegerField(text), value) << text;
    }
    for (const char* text : {"", "abc", "5x", "1e3", "3.0", "2147483648", "-2147483649"}) {
        EXPECT_EQ(ParseIntegerField(text), std::nullopt) << '"' << text << '"';
    }
    // Only the first 31 characters are read.
    const std::string blanks(30, ' ');
    for (const std::string& text :
         {std::string("inf"), std::string("nan"), std::string("1e400"), std::string("ft"), blanks + " 7"}) {
        EXPECT_EQ(ScanDecimalField(text), std::nullopt) << text;
    }
    EXPECT_EQ(ScanDecimalField(" 1.25ft"), 1.25);
    EXPECT_EQ(ScanDecimalField(blanks + "7"), 7.0);
}

// Every decimal setting has a range: the page refuses a number outside it
// with the standard message and takes nothing, its spin stops at the ends,
// and the reader takes a stored value outside as the nearest end.
TEST(DecimalSettings, AreRefusedOutsideTheirRangesAndClampedWhenStored) {
    struct Row {
        int control;
        const char* key;
        int perFoot;  // the stored unit
        double min;
        double max;
        const char* message;
    };
    const Row rows[] = {
        {1061, "EdgeWidth", 100, 0.1, 10.0, "Please enter a number between 0.1 and 10."},
        {1062, "EdgeInset", 100, 0.0, 50.0, "Please enter a number between 0 and 50."},
        {1080, "CenterOffset", 10, 0.0, 50.0, "Please enter a number between 0 and 50."},
        {1072, "LiteOffset", 100, 0.0, 100.0, "Please enter a number between 0 and 100."},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.key);
        RollpathPageModel page{Settings{}};
        const double shown = page.Decimal(r.control);
        for (const double outside : {r.min - 0.01, r.max + 0.01, -40.0, 99999.0}) {
            // Beside a good integer, which is not taken either.
            EXPECT_EQ(page.Exchange({{1067, "60"}, {r.control, FormatDecimalField(outside)}}),
                      (FieldError{r.control, r.message}));
        }
        EXPECT_EQ(page.Decimal(r.control), shown);
        EXPECT_EQ(page.Integer(1067), 50);
        for (const double end : {r.min, r.max}) {
            EXPECT_FALSE(page.Exchange({{r.control, FormatDecimalField(end)}}).has_value());
            EXPECT_DOUBLE_EQ(page.Decimal(r.control), end);
        }
        EXPECT_EQ(page.StepSpin(r.control, FormatDecimalField(r.max), true, true), FormatDecimalField(r.max));
        EXPECT_EQ(page.StepSpin(r.control, FormatDecimalField(r.min), false, false),
                  FormatDecimalField(r.min));

        MemorySettingsStore store;
        for (const auto& [stored, read] : {std::pair{-999, r.min}, std::pair{99999999, r.max},
                                           std::pair{int(r.max * r.perFoot) - 1, r.max - 1.0 / r.perFoot}}) {
            store.SetInt(r.key, stored);
            EXPECT_DOUBLE_EQ(RollpathPageModel(LoadSettings(store)).Decimal(r.control), read) << stored;
        }
    }
}

TEST(GeneralPage, CopyBackHandsOverEveryValueAndBoundsTheFolders) {
    Settings settings;
    GeneralPageModel page(settings);
    page.flyDir = std::string(300, 'f');
    page.outputDir = "/out";
    page.preciseClipping = false;
    page.podFilesFirst = false;
    page.CheckRotationRadio(1024);
    ASSERT_FALSE(
        page.Exchange({{1049, "1"}, {1051, "2"}, {1055, "3"}, {1065, "4"}, {1110, "250"}}).has_value());
    // Nothing reaches the settings before the copy.
    EXPECT_EQ(settings, Settings{});
    page.CopyTo(settings);
    EXPECT_EQ(std::tie(settings.FlyDir, settings.OutputDir), std::tuple(std::string(259, 'f'), "/out"));
    EXPECT_EQ(std::tie(settings.PreciseClipping, settings.PodFilesFirst, settings.Rotation,
                       settings.MaxVertexRadius, settings.MaxSegLength, settings.MaxPolyVertex,
                       settings.BezierDepth, settings.UndoLevels),
              std::tuple(0, 0, 0, 1, 2, 3, 4, 250));
}

}  // namespace
}  // namespace rollpath
