// Files are replaced whole or not at all (every fault of every file Save
// writes is the Save fault tests' part), and read back whole.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "document/AtomicFile.h"
#include "document/InstallPaths.h"
#include "document/MessageSink.h"
#include "document/WholeFile.h"
#include "settings/Settings.h"
#include "support/FaultyFileSystem.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

namespace rollpath::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::vector<std::filesystem::path> Entries(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> entries;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        entries.push_back(entry.path());
    }
    return entries;
}

TEST(AtomicFile, SuccessReplacesTheOldFileInChunksAndLeavesOnlyIt) {
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
    EXPECT_EQ(Entries(dir.path()), std::vector{target});
    EXPECT_TRUE(messages.shown.empty());

    EXPECT_TRUE(WriteFileOrReport(dir / "e.bin", {}, "e.bin", messages));
    EXPECT_EQ(ReadBytes(dir / "e.bin"), Bytes{});
    EXPECT_TRUE(std::filesystem::exists(dir / "e.bin"));
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
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));

    // Opened again, it starts afresh: nothing of the first write remains.
    AtomicFile again(target);
    ASSERT_TRUE(again.Open() && again.Write(Bytes{1, 2, 3}));
    ASSERT_TRUE(again.Open() && again.Write(Bytes{9}) && again.Commit());
    EXPECT_EQ(ReadBytes(target), Bytes{9});
}

// A committed file owns its temporary name no more: going away, it must
// not remove the temporary of the next write of the same file.
TEST(AtomicFile, ACommittedFileLeavesTheNextWriteAlone) {
    TempDir dir;
    const auto target = dir / "x.bgr";
    auto first = std::make_unique<AtomicFile>(target);
    ASSERT_TRUE(first->Open() && first->Write(Bytes{1}) && first->Commit());
    AtomicFile second(target);
    ASSERT_TRUE(second.Open() && second.Write(Bytes{2}));
    first.reset();
    EXPECT_TRUE(second.Commit());
    EXPECT_EQ(ReadBytes(target), Bytes{2});
    EXPECT_EQ(Entries(dir.path()), std::vector{target});
}

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
    EXPECT_FALSE(file->Write(data, reason) && file->Close(reason));
    EXPECT_EQ(reason, std::errc::no_space_on_device);
}

// Files are read in 64 KiB chunks: sizes around a chunk's end, down to a
// last chunk of one byte, come back byte for byte.
TEST(ReadWholeFile, GivesEveryByteOrNothingForAMissingFile) {
    TempDir dir;
    for (const std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{65535}, std::size_t{65536},
                                   std::size_t{65537}, std::size_t{131073}}) {
        Bytes bytes(size);
        for (std::size_t i = 0; i < size; ++i) {
            bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
        }
        WriteBytes(dir / "f.bin", bytes);
        EXPECT_EQ(ReadWholeFile(dir / "f.bin"), bytes) << size;
        EXPECT_EQ(ReadWholeText(dir / "f.bin"), std::string(bytes.begin(), bytes.end())) << size;
    }
    EXPECT_FALSE(ReadWholeFile(dir / "absent.bgr").has_value());
    EXPECT_FALSE(ReadWholeText(dir / "absent.bgr").has_value());
}

// Names from the simulator's texts ("\System\Airport.pod") are found in an
// installation copied from a Windows disk, whatever their case.

TEST(InstallPaths, EachNameIsFoundIgnoringCaseOrKeptAsWritten) {
    TempDir fly;
    std::filesystem::create_directories(fly / "SYSTEM");
    std::ofstream(fly / "SYSTEM" / "Airport.POD") << "x";
    // Of several spellings the least name wins, unless one is exact (where
    // the file system tells names apart by case).
    std::filesystem::create_directories(fly / "data");
    const bool caseSensitive = !std::filesystem::exists(fly / "DATA");
    std::filesystem::create_directories(fly / "DATA");
    const char* const upperData = caseSensitive ? "DATA" : "data";
    const struct {
        const char* relative;
        std::filesystem::path expected;
        bool exists;
    } cases[] = {
        {"\\System\\airport.pod", fly / "SYSTEM" / "Airport.POD", true},
        {"\\\\SYSTEM\\", fly / "SYSTEM", true},
        {"\\system\\Missing\\x.bin", fly / "SYSTEM" / "Missing" / "x.bin", false},
        {"\\Data\\KSFO.bgr", fly / upperData / "KSFO.bgr", false},
        {"\\data", fly / "data", true},
        {"\\Systems", fly / "Systems", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ResolveInstallPath(fly.path(), c.relative), c.expected) << c.relative;
        EXPECT_EQ(InstallPathExists(fly.path(), c.relative), c.exists) << c.relative;
    }
    EXPECT_EQ(ResolveInstallPath("", "\\tmp"), std::filesystem::path("/tmp"));
    EXPECT_TRUE(EqualsIgnoreCase("KsFo", "ksfO"));
    EXPECT_FALSE(EqualsIgnoreCase("KSF", "KSFO"));
    EXPECT_FALSE(EqualsIgnoreCase("XSFO", "KSFO"));  // the first letter counts too
    EXPECT_FALSE(EqualsIgnoreCase("A[", "a{"));      // only letters have a case
}

// The output setting wins over the data folder. A batch build keeps the
// output folder's listing between airports; files that other programs add or
// remove in between are still seen.
TEST(InstallPaths, SceneryFilesAreFoundInAnyCaseAsTheyComeAndGo) {
    TempDir fly;
    std::filesystem::create_directory(fly / "DATA");
    std::filesystem::create_directory(fly / "out");
    Settings s;
    s.FlyDir = fly.path().string();
    EXPECT_EQ(OutputDirectory(s), fly / "DATA");
    EXPECT_EQ(OutputFilePath(s, "KSFO.tms"), fly / "DATA" / "KSFO.tms");
    s.OutputDir = (fly / "out").string();
    EXPECT_EQ(OutputDirectory(s), fly / "out");
    EXPECT_EQ(OutputFilePath(s, "KSFO.bgr"), fly / "out" / "KSFO.bgr");
    std::ofstream(fly / "out" / "ksfo.bgr") << 'x';
    EXPECT_EQ(OutputFilePath(s, "KSFO.bgr"), fly / "out" / "ksfo.bgr");
    std::filesystem::remove(fly / "out" / "ksfo.bgr");
    std::ofstream(fly / "out" / "Ksfo.BGR") << 'x';
    EXPECT_EQ(OutputFilePath(s, "KSFO.bgr"), fly / "out" / "Ksfo.BGR");
}

}  // namespace
}  // namespace rollpath::testing
