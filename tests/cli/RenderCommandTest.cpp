#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "cli/CliTestSupport.h"
#include "cli/Commands.h"
#include "cli/PngRendering.h"
#include "support/TempDir.h"

namespace rollpath::cli {
namespace {

using rollpath::testing::TempDir;

std::size_t Occurrences(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

class RenderCommand : public ::testing::Test {
protected:
    void SetUp() override {
        std::ostringstream out;
        std::ostringstream err;
        ASSERT_EQ(RunSampleInstall({fly(), "--layout", "loose"}, out, err), kExitSuccess) << err.str();
    }

    int Render(Args args) {
        args.insert(args.end(), {"--fly-dir", fly(), "--project-dir", (dir / "project").string()});
        std::ostringstream out;
        std::ostringstream errStream;
        const int status = RunRender(args, out, errStream);
        err = errStream.str();
        return status;
    }

    std::string fly() const { return (dir / "fly").string(); }

    TempDir dir{"rollpath-render"};
    std::string err;
};

TEST_F(RenderCommand, WritesAnSvgOfTheAirport) {
    const std::string out = (dir / "ksfo.svg").string();
    ASSERT_EQ(Render({"KSFO", out}), kExitSuccess) << err;
    EXPECT_EQ(err, "");
    const std::string svg = ReadText(out);
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
    EXPECT_NE(svg.find("width=\"1200\" height=\"900\""), std::string::npos);
    // KSFO's four runways, the benchmark; nothing that is off after opening.
    EXPECT_EQ(Occurrences(svg, "<g class=\"runways\">"), 1u);
    EXPECT_NE(svg.find("<g class=\"benchmark\">"), std::string::npos);
    EXPECT_EQ(svg.find("class=\"grid\""), std::string::npos);
    EXPECT_EQ(svg.find("class=\"lights\""), std::string::npos);
    EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
}

TEST_F(RenderCommand, ShowTurnsOnLayersAndSizeSetsTheWindow) {
    const std::string out = (dir / "ksfo.svg").string();
    ASSERT_EQ(Render({"ksfo", out, "--size=640x480", "--show", "markings,grid,vertices"}), kExitSuccess)
        << err;
    const std::string svg = ReadText(out);
    EXPECT_NE(svg.find("width=\"640\" height=\"480\""), std::string::npos);
    EXPECT_NE(svg.find("class=\"runway-markings\""), std::string::npos);
    EXPECT_NE(svg.find("class=\"vertices\""), std::string::npos);
    EXPECT_EQ(Occurrences(svg, "class=\"grid\""), 1u);
}

TEST_F(RenderCommand, PngWhenTheBuildHasQt) {
    const std::string out = (dir / "ksfo.png").string();
    const int status = Render({"KSFO", out, "--size", "320x200"});
    if (!PngRenderingAvailable()) {
        EXPECT_EQ(status, kExitFailure);
        return;
    }
    ASSERT_EQ(status, kExitSuccess) << err;
    const std::string png = ReadText(out);
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    // The width and height of the IHDR chunk, big-endian.
    EXPECT_EQ(png.substr(16, 8), std::string("\0\0\x01\x40\0\0\0\xc8", 8));
}

TEST_F(RenderCommand, AnUnknownAirportFails) {
    EXPECT_EQ(Render({"ZZZZ", (dir / "z.svg").string()}), kExitFailure);
    EXPECT_NE(err.find("message: "), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "z.svg"));
}

TEST_F(RenderCommand, TheProgramRenders) {
    const std::string out = (dir / "prog.svg").string();
    const Outcome run = RunProgram(
        {"render", "KSFO", out, "--fly-dir", fly(), "--project-dir", (dir / "p").string()}, dir.path());
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(ReadText(out).find("class=\"runways\""), std::string::npos);
}

}  // namespace
}  // namespace rollpath::cli
