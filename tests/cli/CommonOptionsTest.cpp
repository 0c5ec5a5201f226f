#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/CommonOptions.h"

namespace rollpath::cli {
namespace {

TEST(CommonOptions, ApplyFillsTheSettingsAndTheProgramFolder) {
    CommonOptions options;
    options.flyDir = "/sim";
    options.projectDir = "/proj";
    Settings settings;
    settings.OutputDir = "/kept";
    CRollpathDoc doc;
    ApplyCommonOptions(options, settings, doc);
    EXPECT_EQ(settings.FlyDir, "/sim");
    EXPECT_EQ(settings.OutputDir, "/kept");
    EXPECT_EQ(doc.ProgramDir(), std::filesystem::path("/proj"));

    ApplyCommonOptions(CommonOptions{}, settings, doc);
    EXPECT_EQ(doc.ProgramDir(), DefaultProgramDir());
    EXPECT_FALSE(DefaultProgramDir().empty());
}

}  // namespace
}  // namespace rollpath::cli
