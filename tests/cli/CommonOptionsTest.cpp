#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "cli/CommonOptions.h"
#include "support/TempDir.h"

namespace rollpath::cli {
namespace {

// The folder of the run, then the setting, then the executable's folder
// only when a "portable" file marks it, then the per-user folder: never the
// executable's folder just because it can be written.
TEST(CommonOptions, TheProgramFolderIsTheUsersUnlessNamedOrPortable) {
    testing::TempDir dir("rollpath-program-dir");
    const std::filesystem::path plain = dir / "plain";
    const std::filesystem::path portable = dir / "portable-install";
    std::filesystem::create_directories(plain);
    std::filesystem::create_directories(portable);
    std::ofstream(portable / "portable").close();
    const std::filesystem::path user = dir / "user";
    const struct {
        std::optional<std::string> run;
        std::string setting;
        std::filesystem::path executable;
        std::filesystem::path chosen;
    } rows[] = {
        {std::nullopt, "", plain, user},
        {std::nullopt, "", portable, portable},
        {std::nullopt, "", std::filesystem::path(), user},
        {std::nullopt, "/stored", portable, "/stored"},
        {"/run", "/stored", portable, "/run"},
        {"", "", plain, user},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ChooseProgramDir(row.run, row.setting, row.executable, user), row.chosen)
            << row.run.value_or("-") << " " << row.setting << " " << row.executable;
    }
    EXPECT_EQ(UserDataDir().filename(), "Rollpath");
}

}  // namespace
}  // namespace rollpath::cli
