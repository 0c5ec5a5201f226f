// A disk that fails during a Save, at every write and at the final rename of
// every file the Save produces: every old file stays as it was (those already
// replaced get their content back), no temporary file is left, the user is
// told which file, where and why, the document stays modified, and the next
// Save on a healthy disk writes everything.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "project/PipelineFixture.h"
#include "support/FaultyFileSystem.h"
#include "support/SyntheticAirport.h"

namespace rollpath {
namespace {

using testing::FaultyFileSystem;
using Fault = FaultyFileSystem::Fault;

struct SavedFile {
    const char* name;
    bool inProgramDir;    // the list and the side file live beside the program
    const char* message;  // what the failed Save's message starts with, before the path
};

// The list already exists when these Saves run, so its writer reports the
// temporary copy it could not make.
const std::vector<SavedFile> kSavedFiles = {
    {"Rollpath.rpj", true, "Cannot create temporary file: "},
    {"KSFO.txp", false, "Cannot create "},
    {"KSFO.bgr", false, "Cannot create "},
    {"KSFO.txd", true, "Cannot create "},
    {"KSFO.tms", false, "Cannot create "},
};

class SaveFaultTest : public testing::PipelineTest {
protected:
    std::filesystem::path PathOf(const SavedFile& f) const {
        return f.inProgramDir ? Program(f.name) : Output(f.name);
    }

    // Every file of both folders, temporary ones included.
    std::map<std::string, std::string> Snapshot() const {
        std::map<std::string, std::string> files;
        for (const auto& folder : {Output(""), Program("")}) {
            for (const auto& entry : std::filesystem::directory_iterator(folder)) {
                files[entry.path().filename().string()] = ReadAll(entry.path());
            }
        }
        return files;
    }

    // A new taxi lane and a new polygon, so that every scenery file changes.
    void Edit(int step) {
        const double x = 400.0 + 60.0 * step;
        const int a = doc.AddVertex(x, -900.0, true);
        const int b = doc.AddVertex(x, -600.0, true);
        RollpathSegment& s = doc.AppendSegment();
        s.vertex0 = a;
        s.vertex1 = b;
        s.width = 40.0f;
        GroundPolygon& p = doc.AppendPolygon();
        p.kind = PolygonKind::Ordinary;
        p.points = {{x, 0}, {x + 30, 0}, {x + 30, 40}};
        PrepareOpenedDocument(doc);
        doc.SetModifiedFlag(true);
    }

    // The failing Save and the healthy one after it.
    void FailThenRecover(const SavedFile& f, FaultyFileSystem& faulty, int step) {
        const auto before = Snapshot();
        Edit(step);
        messages.Clear();
        EXPECT_FALSE(Save(doc, faulty));
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_TRUE(messages.shown[0].starts_with(std::string(f.message) + PathOf(f).string() + ": "))
            << messages.shown[0];
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(Snapshot(), before);

        messages.Clear();
        EXPECT_TRUE(Save(doc));
        EXPECT_TRUE(messages.shown.empty()) << messages.shown.front();
        EXPECT_FALSE(doc.IsModified());
        if (std::string(f.name) != "Rollpath.rpj") {
            EXPECT_NE(ReadAll(PathOf(f)), before.at(f.name));
        }
    }
};

TEST_F(SaveFaultTest, EveryFileFailingAtEveryWriteAtCloseAndAtRename) {
    ASSERT_TRUE(OpenNew(doc, "KSFO"));
    Edit(0);
    ASSERT_TRUE(Save(doc));
    int step = 1;
    for (const SavedFile& f : kSavedFiles) {
        SCOPED_TRACE(f.name);
        FaultyFileSystem counting(Fault::None, 0, f.name);
        Edit(step++);
        ASSERT_TRUE(Save(doc, counting));
        ASSERT_GE(counting.writes(), 1);
        ASSERT_EQ(counting.renames(), 1);

        for (int n = 1; n <= counting.writes(); ++n) {
            SCOPED_TRACE("write " + std::to_string(n) + " of " + std::to_string(counting.writes()));
            FaultyFileSystem faulty(Fault::Write, n, f.name);
            FailThenRecover(f, faulty, step++);
        }
        for (const Fault fault : {Fault::Create, Fault::Close, Fault::Rename}) {
            SCOPED_TRACE(static_cast<int>(fault));
            FaultyFileSystem faulty(fault, 0, f.name);
            FailThenRecover(f, faulty, step++);
        }
    }
}

}  // namespace
}  // namespace rollpath
