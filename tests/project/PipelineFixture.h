#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "document/RollpathDoc.h"
#include "project/DocumentPipeline.h"
#include "support/FileBytes.h"
#include "support/SampleInstallation.h"
#include "support/TempDir.h"

namespace rollpath::testing {

// A sample installation with its output folder and a program folder for the
// project list and the side files, and a document attached to them.
class PipelineTest : public ::testing::Test {
protected:
    PipelineTest() {
        EXPECT_TRUE(WriteSampleInstallation(dir / "fly"));
        std::filesystem::create_directories(dir / "program");
        settings.FlyDir = (dir / "fly").string();
        Attach(doc);
    }

    void Attach(CRollpathDoc& d) {
        d.SetSettings(&settings);
        d.SetMessageSink(&messages);
        d.SetProgramDir(dir / "program");
    }

    std::filesystem::path Output(const std::string& name) const { return dir / "fly" / "Data" / name; }
    std::filesystem::path Program(const std::string& name) const { return dir / "program" / name; }

    bool OpenNew(CRollpathDoc& d, const std::string& code) {
        FixedOpenAirportDialog dialog(OpenAirportChoice{code, false});
        return NewDocument(d, dialog, false);
    }

    TempDir dir;
    Settings settings;
    RecordingMessageSink messages;
    CRollpathDoc doc;
};

}  // namespace rollpath::testing
