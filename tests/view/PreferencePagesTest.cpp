#include <gtest/gtest.h>

#include <climits>
#include <utility>

#include "settings/SettingsStore.h"
#include "support/DeterministicRandom.h"
#include "view/preferences/PreferencePages.h"

namespace rollpath {
namespace {

TEST(PageFields, IntegerFieldsParseLikeTheFrameworksDataExchange) {
    struct Case {
        const char* text;
        std::optional<int> value;
    };
    const Case cases[] = {
        {"5", 5},
        {" 7 ", 7},
        {"\t-3", -3},
        {"+4", 4},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"abc", std::nullopt},
        {"5x", std::nullopt},
        {"5 5", std::nullopt},
        {"1e3", std::nullopt},
        {"0x10", std::nullopt},
        {"3.0", std::nullopt},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999999", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseIntegerField(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(PageFields, DecimalFieldsReadWithScanfAndRefuseWhatIsNotFinite) {
    struct Case {
        std::string text;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"5.00", 5.0},
        {" 1.25", 1.25},
        {"3.5ft", 3.5},
        {"-0.5", -0.5},
        {"1e2", 100.0},
        {"", std::nullopt},
        {"ft", std::nullopt},
        {"inf", std::nullopt},
        {"-INFINITY", std::nullopt},
        {"nan", std::nullopt},
        {"1e400", std::nullopt},
        // Only the first 31 characters are read: the 1 lies beyond them.
        {"0." + std::string(33, '0') + "1", 0.0},
        {std::string(31, ' ') + "7", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScanDecimalField(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(PageFields, DecimalTextsAreFiveWidePointTwo) {
    EXPECT_EQ(FormatDecimalField(5.0), " 5.00");
    EXPECT_EQ(FormatDecimalField(1.25), " 1.25");
    EXPECT_EQ(FormatDecimalField(-0.5), "-0.50");
    EXPECT_EQ(FormatDecimalField(123.456), "123.46");
    EXPECT_EQ(FormatDecimalField(1e20), "100000000000000000000.00");
}

TEST(PageFields, RangeMessagesAreTheStandardOnes) {
    EXPECT_EQ(IntegerRangeMessage(3, 10), "Please enter an integer between 3 and 10.");
    EXPECT_EQ(std::string(kEnterIntegerMessage), "Please enter an integer.");
}

TEST(RollpathPage, EdgeOffsetStepsByAHundredthOrATenthWithShift) {
    const Settings settings;  // LiteOffset 5.00
    constexpr int kEdgeOffset = 1072;
    {
        RollpathPageModel page(settings);
        EXPECT_EQ(page.Text(kEdgeOffset), " 5.00");
        EXPECT_EQ(page.StepSpin(kEdgeOffset, " 5.00", true, true), " 5.10");
        // The step is the page's value at once.
        EXPECT_DOUBLE_EQ(page.Decimal(kEdgeOffset), 5.1);
    }
    {
        RollpathPageModel page(settings);
        EXPECT_EQ(page.StepSpin(kEdgeOffset, " 5.00", true, false), " 5.01");
        EXPECT_EQ(page.StepSpin(kEdgeOffset, " 5.01", false, false), " 5.00");
        EXPECT_EQ(page.StepSpin(kEdgeOffset, " 5.00", false, true), " 4.90");
    }
    {
        // A text that does not parse steps from the page's value.
        RollpathPageModel page(settings);
        EXPECT_EQ(page.StepSpin(kEdgeOffset, "five", true, false), " 5.01");
        EXPECT_EQ(page.StepSpin(kEdgeOffset, "", true, false), " 5.02");
        // The typed number counts, not the page's value.
        EXPECT_EQ(page.StepSpin(kEdgeOffset, "12.5", true, true), "12.60");
    }
}

void CheckRanges(FieldPageModel& model, const Settings& settings) {
    for (const IntegerField& f : model.IntegerFields()) {
        SCOPED_TRACE(std::string(f.label));
        const FieldError refusal{f.control, IntegerRangeMessage(f.min, f.max)};
        EXPECT_EQ(model.Exchange({{f.control, std::to_string(f.min - 1)}}), refusal);
        EXPECT_EQ(model.Exchange({{f.control, std::to_string(f.max + 1)}}), refusal);
        EXPECT_EQ(model.Exchange({{f.control, "x"}}), (FieldError{f.control, kEnterIntegerMessage}));
        EXPECT_EQ(model.Integer(f.control), settings.*f.setting);
        EXPECT_FALSE(model.Exchange({{f.control, std::to_string(f.min)}}).has_value());
        EXPECT_EQ(model.Integer(f.control), f.min);
        EXPECT_FALSE(model.Exchange({{f.control, std::to_string(f.max)}}).has_value());
        EXPECT_EQ(model.Integer(f.control), f.max);
    }
}

TEST(PageFields, IntegerRangesAreRefusedJustOutsideAndAcceptedAtTheirEnds) {
    const Settings settings;
    GeneralPageModel general(settings);
    CheckRanges(general, settings);
    RollpathPageModel rollpaths(settings);
    CheckRanges(rollpaths, settings);
}

// The Bezier depth takes 3 to 10, the undo levels 1 to 1000.
TEST(GeneralPage, BezierDepthAndUndoLevelsAreRefusedOutsideTheirRanges) {
    struct Row {
        int control;
        const char* below;
        const char* above;
        const char* lowest;
        const char* highest;
        const char* message;
    };
    for (const Row& r :
         {Row{1065, "2", "11", "3", " 10 ", "Please enter an integer between 3 and 10."},
          Row{1110, "0", "1001", "1", "1000", "Please enter an integer between 1 and 1000."}}) {
        GeneralPageModel page{Settings{}};
        EXPECT_EQ(page.Exchange({{r.control, r.above}}), (FieldError{r.control, r.message}));
        EXPECT_EQ(page.Exchange({{r.control, r.below}}), (FieldError{r.control, r.message}));
        EXPECT_FALSE(page.Exchange({{r.control, r.lowest}}).has_value());
        EXPECT_FALSE(page.Exchange({{r.control, r.highest}}).has_value());
        EXPECT_EQ(page.Integer(r.control), std::stoi(r.highest));
    }
}

TEST(GeneralPage, TheFirstRefusedFieldStopsTheExchangeAndNothingIsTaken) {
    GeneralPageModel page{Settings{}};
    const FieldTexts texts = {{1049, "40"}, {1051, "-1"}, {1055, "abc"}, {1065, "7"}};
    EXPECT_EQ(page.Exchange(texts), (FieldError{1051, IntegerRangeMessage(0, 32767)}));
    EXPECT_EQ(page.Integer(1049), 25);
    EXPECT_EQ(page.Integer(1065), 5);
}

TEST(RollpathPage, DecimalTextsThatDoNotParseKeepTheirValues) {
    Settings settings;
    settings.EdgeWidth = 1.25;
    RollpathPageModel page(settings);
    EXPECT_FALSE(page.Exchange({{1061, "wide"}, {1062, " 3.75"}, {1080, "nan"}}).has_value());
    EXPECT_DOUBLE_EQ(page.Decimal(1061), 1.25);
    EXPECT_DOUBLE_EQ(page.Decimal(1062), 3.75);
    EXPECT_DOUBLE_EQ(page.Decimal(1080), 3.5);
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

TEST(PageFields, IntegerSpinsStepByOneWithinTheirRange) {
    GeneralPageModel page{Settings{}};
    EXPECT_EQ(page.StepSpin(1065, "5", true, false), "6");
    EXPECT_EQ(page.StepSpin(1065, "10", true, false), "10");
    EXPECT_EQ(page.StepSpin(1065, "3", false, false), "3");
    EXPECT_EQ(page.StepSpin(1065, "11", true, false), "10");
    // Shift does not change an integer step; a text that does not parse
    // steps from the page's value (5).
    EXPECT_EQ(page.StepSpin(1065, "deep", false, true), "4");
    EXPECT_EQ(page.StepSpin(1049, "32767", true, false), "32767");
    EXPECT_EQ(page.StepSpin(1049, "0", false, false), "0");
    RollpathPageModel rollpaths{Settings{}};
    EXPECT_EQ(rollpaths.StepSpin(1078, "10000", true, false), "10000");
    EXPECT_EQ(rollpaths.StepSpin(1078, "0", false, false), "0");
    EXPECT_EQ(rollpaths.StepSpin(1076, "1", false, false), "1");
    // The spin does not change the page's value: the text is taken at OK.
    EXPECT_EQ(page.Integer(1065), 5);
}

TEST(GeneralPage, RotationRadioFollowsTheSetting) {
    Settings settings;
    EXPECT_EQ(GeneralPageModel(settings).CheckedRotationRadio(), 1026);  // "1.0°" for the default 2
    settings.Rotation = 0;
    EXPECT_EQ(GeneralPageModel(settings).CheckedRotationRadio(), 1024);
    settings.Rotation = 7;
    GeneralPageModel odd(settings);
    EXPECT_FALSE(odd.CheckedRotationRadio().has_value());
    Settings back;
    odd.CopyTo(back);
    EXPECT_EQ(back.Rotation, 7);
    odd.CheckRotationRadio(1025);
    EXPECT_EQ(odd.rotation, 1);
    odd.CheckRotationRadio(1027);
    odd.CheckRotationRadio(1023);
    EXPECT_EQ(odd.rotation, 1);
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
    EXPECT_EQ(settings.FlyDir, std::string(259, 'f'));
    EXPECT_EQ(settings.OutputDir, "/out");
    EXPECT_EQ(settings.PreciseClipping, 0);
    EXPECT_EQ(settings.PodFilesFirst, 0);
    EXPECT_EQ(settings.Rotation, 0);
    EXPECT_EQ(settings.MaxVertexRadius, 1);
    EXPECT_EQ(settings.MaxSegLength, 2);
    EXPECT_EQ(settings.MaxPolyVertex, 3);
    EXPECT_EQ(settings.BezierDepth, 4);
    EXPECT_EQ(settings.UndoLevels, 250);
}

// Random settings survive the trip through the pages' texts unchanged.
TEST(PreferencePages, ValuesRoundTripThroughTheirTexts) {
    testing::DeterministicRandom random(12);
    for (int trial = 0; trial < 200; ++trial) {
        Settings settings;
        for (const IntegerField& f : GeneralPageModel::Fields()) {
            settings.*f.setting = random.Int(f.min, f.max);
        }
        for (const IntegerField& f : RollpathPageModel::IntegerFieldTable()) {
            settings.*f.setting = random.Int(f.min, f.max);
        }
        for (const DecimalField& f : RollpathPageModel::DecimalFieldTable()) {
            settings.*f.setting =
                random.Int(static_cast<int>(f.range.min * 100), static_cast<int>(f.range.max * 100)) / 100.0;
        }
        GeneralPageModel general(settings);
        RollpathPageModel rollpaths(settings);
        FieldTexts texts;
        for (const IntegerField& f : GeneralPageModel::Fields()) {
            texts[f.control] = general.Text(f.control);
        }
        ASSERT_FALSE(general.Exchange(texts).has_value());
        texts.clear();
        for (const IntegerField& f : RollpathPageModel::IntegerFieldTable()) {
            texts[f.control] = rollpaths.Text(f.control);
        }
        for (const DecimalField& f : RollpathPageModel::DecimalFieldTable()) {
            texts[f.control] = rollpaths.Text(f.control);
        }
        ASSERT_FALSE(rollpaths.Exchange(texts).has_value());
        Settings back;
        general.CopyTo(back);
        rollpaths.CopyTo(back);
        back.CustomColors = settings.CustomColors;
        for (const DecimalField& f : RollpathPageModel::DecimalFieldTable()) {
            EXPECT_NEAR(back.*f.setting, settings.*f.setting, 1e-9);
            back.*f.setting = settings.*f.setting;
        }
        EXPECT_EQ(back, settings) << "trial " << trial;
    }
}

// A chooser that answers with a fixed colour (or cancels) and defines a
// custom colour either way.
class FakeChooser : public ColorChooser {
public:
    explicit FakeChooser(std::optional<ColorRef> answer) : answer_(answer) {}
    std::optional<ColorRef> Choose(ColorRef initial,
                                   std::array<ColorRef, kCustomColorCount>& custom) override {
        initial_ = initial;
        custom[3] = Rgb(1, 2, 3);
        return answer_;
    }
    ColorRef initial_ = 0;

private:
    std::optional<ColorRef> answer_;
};

TEST(ColorPage, SwatchesInTheirOrderWithTheirControls) {
    const auto swatches = ColorPageModel::Swatches();
    ASSERT_EQ(swatches.size(), 6u);
    const char* labels[] = {"Asphalt", "Concrete", "Turf", "Dirt", "Rollpath", "Polygon"};
    const int controls[][2] = {{1083, 1085}, {1084, 1086}, {1087, 1088},
                               {1089, 1090}, {1091, 1092}, {1093, 1094}};
    for (std::size_t i = 0; i < swatches.size(); ++i) {
        EXPECT_EQ(swatches[i].label, labels[i]);
        EXPECT_EQ(swatches[i].swatch, controls[i][0]);
        EXPECT_EQ(swatches[i].button, controls[i][1]);
    }
}

TEST(ColorPage, CancelledChooserKeepsTheColourButNotTheCustomColours) {
    Settings settings;
    ColorPageModel page(settings, settings.CustomColors);
    FakeChooser cancel(std::nullopt);
    EXPECT_FALSE(page.Choose(0, cancel));
    EXPECT_EQ(cancel.initial_, settings.AsphaltColor);
    EXPECT_EQ(page.Color(0), Rgb(0, 0, 0));
    EXPECT_EQ(settings.CustomColors[3], Rgb(1, 2, 3));

    FakeChooser ok(Rgb(200, 10, 20));
    EXPECT_TRUE(page.Choose(0, ok));
    EXPECT_EQ(page.Color(0), Rgb(200, 10, 20));
    // The sheet's Cancel: nothing copied, so the asphalt colour stays.
    EXPECT_EQ(settings.AsphaltColor, Rgb(0, 0, 0));
    page.CopyTo(settings);
    EXPECT_EQ(settings.AsphaltColor, Rgb(200, 10, 20));
    EXPECT_EQ(settings.ConcreteColor, Rgb(128, 128, 128));
    EXPECT_FALSE(page.Choose(6, ok));
}

}  // namespace
}  // namespace rollpath
