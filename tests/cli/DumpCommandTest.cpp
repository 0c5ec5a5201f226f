// rollpath-cli dump on the files a session with rollpaths, a polygon and
// tiles saved, whole and cut short: always JSON, every record before the cut
// at the offset the whole file has it, and an "error" member exactly when
// the status is 1.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "cli/CliTestSupport.h"
#include "support/SampleInstallation.h"

namespace rollpath::cli {
namespace {

std::vector<double> Offsets(const JsonValue& json) {
    std::vector<double> offsets;
    for (const JsonValue& record : json["records"]) {
        offsets.push_back(record["offset"].get<double>());
    }
    return offsets;
}

TEST_F(CliTest, DumpShowsTheRecordsOfEverySavedFileAndThoseBeforeACut) {
    InstallLayout("pod");
    const std::filesystem::path script = dir / "saved.script";
    std::ofstream(script) << ReadText(rollpath::testing::SamplesDir() / "kpao-taxiway.script") << "\nsave\n";
    const std::filesystem::path work = dir / "work";
    std::filesystem::create_directories(work);
    const Outcome saved = Program(
        {"script", script.string(), "--fly-dir", Fly("pod"), "--project-dir", (dir / "prog").string()}, work);
    ASSERT_EQ(saved.status, kExitSuccess) << saved.err;

    const std::filesystem::path data = dir / "pod" / "Data";
    for (const std::filesystem::path& file : {data / "KPAO.bgr", data / "KPAO.txp", data / "KPAO.tms",
                                              dir / "prog" / "KPAO.txd", dir / "prog" / "Rollpath.rpj"}) {
        const Outcome whole = Call(&RunDump, {file.string()});
        ASSERT_EQ(whole.status, kExitSuccess) << file << whole.err;
        const std::optional<JsonValue> full = ParseJson(whole.out);
        ASSERT_TRUE(full) << whole.out;
        const std::vector<double> starts = Offsets(*full);
        EXPECT_FALSE(starts.empty()) << file;

        const std::string bytes = ReadText(file);
        const std::filesystem::path cut = dir / ("cut" + file.extension().string());
        // Cuts at and just after every record's start, and spread between.
        std::set<std::size_t> lengths;
        for (const double start : starts) {
            lengths.insert({static_cast<std::size_t>(start), static_cast<std::size_t>(start) + 1});
        }
        for (std::size_t length = 0; length < bytes.size(); length += 1 + bytes.size() / 60) {
            lengths.insert(length);
        }
        for (const std::size_t length : lengths) {
            if (length >= bytes.size()) {
                continue;
            }
            SCOPED_TRACE(file.filename().string() + " cut at " + std::to_string(length));
            std::ofstream(cut, std::ios::binary | std::ios::trunc) << bytes.substr(0, length);
            const Outcome run = Call(&RunDump, {cut.string()});
            const std::optional<JsonValue> json = ParseJson(run.out);
            ASSERT_TRUE(json) << run.out;
            ASSERT_TRUE(run.status == kExitSuccess || run.status == kExitFailure) << run.status;
            EXPECT_EQ(json->contains("error"), run.status == kExitFailure) << run.out;
            const std::vector<double> offsets = Offsets(*json);
            ASSERT_LE(offsets.size(), starts.size());
            EXPECT_TRUE(std::equal(offsets.begin(), offsets.end(), starts.begin()));
            // A tagged file cut where a record starts is a shorter file.
            const bool tagged = file.extension() != ".txd" && file.extension() != ".rpj";
            if (tagged &&
                std::find(starts.begin(), starts.end(), static_cast<double>(length)) != starts.end()) {
                EXPECT_EQ(run.status, kExitSuccess);
                EXPECT_EQ(offsets.size(),
                          static_cast<std::size_t>(std::count_if(starts.begin(), starts.end(), [&](double s) {
                              return s < static_cast<double>(length);
                          })));
            }
        }
    }
}

}  // namespace
}  // namespace rollpath::cli
