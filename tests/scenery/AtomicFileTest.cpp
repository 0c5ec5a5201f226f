#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "SceneryTestSupport.h"
#include "document/AtomicFile.h"
#include "scenery/NetworkFile.h"
#include "scenery/PolygonFile.h"
#include "scenery/SideFile.h"
#include "support/FaultyFileSystem.h"

namespace rollpath::testing {
namespace {

using Fault = FaultyFileSystem::Fault;

// The file's message, then its path and the system's reason.
bool ReportedWithReason(const RecordingMessageSink& messages, const std::string& name,
                        const std::filesystem::path& path) {
    return messages.shown.size() == 1 &&
           messages.shown.front().starts_with("Cannot create " + name + ": " + path.string() + ": ") &&
           messages.shown.front().size() > ("Cannot create " + name + ": " + path.string() + ": ").size();
}

bool OnlyTarget(const std::filesystem::path& folder) {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++count;
    }
    return count == 1;
}

struct FaultCase {
    const char* name;
    Fault fault;
    int failWrite;
};

class AtomicFileFaults : public ::testing::TestWithParam<FaultCase> {};

// Writes a file big enough to need several chunks over an existing one.
TEST_P(AtomicFileFaults, AFailureKeepsTheOldFileAndLeavesNoTemporary) {
    const FaultCase& c = GetParam();
    TempDir dir;
    const auto target = dir / "KTST.tms";
    const Bytes old{'o', 'l', 'd'};
    WriteBytes(target, old);
    const Bytes fresh(200000, 0x5A);

    FaultyFileSystem files(c.fault, c.failWrite);
    RecordingMessageSink messages;
    EXPECT_FALSE(WriteFileOrReport(target, fresh, "KTST.tms", messages, files));
    EXPECT_EQ(ReadBytes(target), old);
    EXPECT_TRUE(OnlyTarget(dir.path()));
    EXPECT_TRUE(ReportedWithReason(messages, "KTST.tms", target)) << messages.shown.front();
}

INSTANTIATE_TEST_SUITE_P(
    Faults, AtomicFileFaults,
    ::testing::Values(FaultCase{"Create", Fault::Create, 0}, FaultCase{"FirstWrite", Fault::Write, 1},
                      FaultCase{"ThirdWrite", Fault::Write, 3}, FaultCase{"LastWrite", Fault::Write, 4},
                      FaultCase{"Close", Fault::Close, 0}, FaultCase{"Rename", Fault::Rename, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AtomicFile, SuccessReplacesTheOldFileInChunks) {
    TempDir dir;
    const auto target = dir / "KTST.tms";
    WriteBytes(target, Bytes{'o', 'l', 'd'});
    const Bytes fresh(200000, 0x5A);
    FaultyFileSystem files;
    RecordingMessageSink messages;
    EXPECT_TRUE(WriteFileOrReport(target, fresh, "KTST.tms", messages, files));
    EXPECT_EQ(ReadBytes(target), fresh);
    EXPECT_EQ(files.writes(), 4);  // 64 KiB pieces
    EXPECT_EQ(files.renames(), 1);
    EXPECT_TRUE(OnlyTarget(dir.path()));
    EXPECT_TRUE(messages.shown.empty());
}

TEST(AtomicFile, AnEmptyFileIsWrittenToo) {
    TempDir dir;
    RecordingMessageSink messages;
    EXPECT_TRUE(WriteFileOrReport(dir / "e.bin", {}, "e.bin", messages));
    EXPECT_TRUE(std::filesystem::exists(dir / "e.bin"));
    EXPECT_EQ(std::filesystem::file_size(dir / "e.bin"), 0u);
}

TEST(AtomicFile, AMissingFolderCannotBeCreated) {
    TempDir dir;
    RecordingMessageSink messages;
    EXPECT_FALSE(WriteFileOrReport(dir / "no" / "such.bgr", Bytes{1}, "such.bgr", messages));
    EXPECT_EQ(messages.shown,
              std::vector<std::string>{"Cannot create such.bgr: " + (dir / "no" / "such.bgr").string() +
                                       ": No such file or directory"});
}

TEST(AtomicFile, AnAbandonedWriteRemovesItsTemporary) {
    TempDir dir;
    const auto target = dir / "x.txp";
    {
        AtomicFile file(target);
        ASSERT_TRUE(file.Open());
        ASSERT_TRUE(file.Write(Bytes{1, 2, 3}));
        EXPECT_TRUE(std::filesystem::exists(file.temporary()));
        EXPECT_EQ(file.temporary().parent_path(), target.parent_path());
    }
    EXPECT_FALSE(std::filesystem::exists(target));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(AtomicFile, NothingIsCommittedAfterAFailedWrite) {
    TempDir dir;
    FaultyFileSystem files(Fault::Write, 2);
    AtomicFile file(dir / "x.bgr", files);
    ASSERT_TRUE(file.Open());
    EXPECT_TRUE(file.Write(Bytes{1}));
    EXPECT_FALSE(file.Write(Bytes{2}));
    EXPECT_FALSE(file.Write(Bytes{3}));  // sticky
    EXPECT_FALSE(file.Commit());
    EXPECT_EQ(files.renames(), 0);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

// Every scenery writer reports a failure with its own file name and keeps
// the file that was there.
struct WriterCase {
    const char* name;
    std::function<bool(CRollpathDoc&, const std::filesystem::path&, FileSystem&)> write;
    std::string file;
};

class WriterFaults : public SceneryTest, public ::testing::WithParamInterface<WriterCase> {};

TEST_P(WriterFaults, ReportTheFileNameAndKeepTheOldFile) {
    const WriterCase& c = GetParam();
    doc.AddVertex(1, 2, true);
    doc.AppendPolygon().points = {{0, 0}, {0, 10}, {10, 0}};
    WriteBytes(File(c.file), Bytes{'o', 'l', 'd'});
    for (const Fault fault : {Fault::Create, Fault::Write, Fault::Close, Fault::Rename}) {
        messages.Clear();
        FaultyFileSystem files(fault, 1);
        EXPECT_FALSE(c.write(doc, dir.path(), files));
        EXPECT_TRUE(ReportedWithReason(messages, c.file, File(c.file)));
        EXPECT_EQ(ReadBytes(File(c.file)), (Bytes{'o', 'l', 'd'}));
    }
    messages.Clear();
    FaultyFileSystem working;
    EXPECT_TRUE(c.write(doc, dir.path(), working));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_NE(ReadBytes(File(c.file)), (Bytes{'o', 'l', 'd'}));
}

INSTANTIATE_TEST_SUITE_P(
    Writers, WriterFaults,
    ::testing::Values(WriterCase{"Network",
                                 [](CRollpathDoc& d, const std::filesystem::path& f, FileSystem& fs) {
                                     return WriteNetworkFile(d, f, fs);
                                 },
                                 "KTST.bgr"},
                      WriterCase{"Polygon",
                                 [](CRollpathDoc& d, const std::filesystem::path& f, FileSystem& fs) {
                                     return WritePolygonFile(d, f, fs);
                                 },
                                 "KTST.txp"},
                      WriterCase{"Side",
                                 [](CRollpathDoc& d, const std::filesystem::path& f, FileSystem& fs) {
                                     return WriteSideFile(d, f, fs);
                                 },
                                 "KTST.txd"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace rollpath::testing

namespace rollpath::testing {
namespace {

// A real device that is always full: the loss must show by the close at
// the latest, even when the data sat in a buffer.
TEST(RealFileSystem, AFullDiskShowsAsAFailure) {
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full here";
    }
    std::error_code reason;
    auto file = RealFileSystem().Create("/dev/full", reason);
    ASSERT_NE(file, nullptr);
    const Bytes data(100, 1);
    const bool wrote = file->Write(data, reason) && file->Close(reason);
    EXPECT_FALSE(wrote);
    EXPECT_EQ(reason, std::errc::no_space_on_device);
}

}  // namespace
}  // namespace rollpath::testing
