#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "ViewTestSupport.h"
#include "support/BitmapFiles.h"
#include "support/TempDir.h"
#include "view/Bmp.h"

namespace rollpath {
namespace {

using testing::BitmapFile;
using testing::Bytes;

void U16(Bytes& b, unsigned v) {
    testing::PutU16(b, v);
}

void U32(Bytes& b, std::uint32_t v) {
    testing::PutU32(b, v);
}

class Bitmap : public ::testing::Test {
protected:
    int Load(const Bytes& bytes) {
        const auto path = dir / "diagram.bmp";
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return bmp.Load(path, width, height, problem);
    }

    testing::TempDir dir{"rollpath-bmp"};
    CBMP bmp;
    int width = -1;
    int height = -1;
    std::string problem;
};

Bytes Words(std::initializer_list<std::uint32_t> values, int bytes) {
    Bytes b;
    for (const std::uint32_t v : values) {
        bytes == 2 ? U16(b, v) : U32(b, v);
    }
    return b;
}

// Every depth the editor draws, as ARGB pixels top row first.
TEST_F(Bitmap, EveryDrawableDepthGivesItsPixels) {
    const Bytes masks565 = Words({0xF800, 0x07E0, 0x001F}, 4);
    const Bytes rgb = {0, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0};  // black, red, green, blue
    Bytes headerless = BitmapFile(1, 1, 24, 0, {}, {1, 2, 3, 0});
    std::fill(headerless.begin() + 2, headerless.begin() + 14, 0);  // sizes and offset left 0
    const struct {
        const char* name;
        Bytes file;
        std::vector<std::uint32_t> pixels;
    } rows[] = {
        {"24 bits bottom up",
         BitmapFile(2, 2, 24, 0, {}, {255, 0, 0, 0, 255, 0, 0, 0, 0, 0, 255, 255, 255, 255, 0, 0}),
         {0xFFFF0000, 0xFFFFFFFF, 0xFF0000FF, 0xFF00FF00}},
        {"8 bits, short colour table",
         BitmapFile(2, 2, 8, 0, Bytes(rgb.begin(), rgb.begin() + 12), {1, 2, 0, 0, 2, 1, 0, 0}, 3),
         {0xFF00FF00, 0xFFFF0000, 0xFFFF0000, 0xFF00FF00}},
        {"4 bits", BitmapFile(3, 1, 4, 0, rgb, {0x12, 0x30, 0, 0}, 4), {0xFFFF0000, 0xFF00FF00, 0xFF0000FF}},
        {"1 bit",
         BitmapFile(3, 2, 1, 0, {0, 0, 0, 0, 255, 255, 255, 0}, {0xA0, 0, 0, 0, 0x40, 0, 0, 0}),
         {0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF}},
        {"16 bits 5-6-5 top down",
         BitmapFile(2, -1, 16, 3, masks565, Words({0xF800, 0x07E0}, 2)),
         {0xFFFF0000, 0xFF00FF00}},
        {"32 bits", BitmapFile(1, 1, 32, 0, {}, {10, 20, 30, 0}), {0xFF1E140A}},
        {"32 bits with masks",
         BitmapFile(1, 1, 32, 3, Words({0xFF0000, 0xFF00, 0xFF}, 4), Words({0xFF0000}, 4)),
         {0xFFFF0000}},
        {"a file header without sizes", headerless, {0xFF030201}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_EQ(Load(row.file), 1) << problem;
        EXPECT_TRUE(bmp.IsDrawable());
        EXPECT_EQ(bmp.Image().pixels, row.pixels);
        EXPECT_EQ(static_cast<std::size_t>(width) * height, row.pixels.size());
    }
    // Sixteen bits with masks are stored marked uncompressed, and drawn
    // through the masks all the same.
    ASSERT_EQ(Load(BitmapFile(1, 1, 16, 3, masks565, Words({0x001F, 0}, 2))), 1);
    EXPECT_EQ(Bytes(bmp.InfoBlock().begin() + 16, bmp.InfoBlock().begin() + 20), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(bmp.Image().pixels, (std::vector<std::uint32_t>{0xFF0000FF}));
}

class Diagram : public ::testing::Test, protected testing::ViewTest {
protected:
    // A 24-bit bitmap of the given size, all grey.
    std::string WriteDiagram(int w, int h) {
        const std::size_t row = (static_cast<std::size_t>(w) * 3 + 3) & ~std::size_t{3};
        const Bytes file = BitmapFile(w, h, 24, 0, {}, Bytes(row * static_cast<std::size_t>(h), 128));
        const auto path = dir / "diagram.bmp";
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
        return path.string();
    }

    DrawCall DrawnDiagram() {
        const RecordingCanvas canvas = Draw();
        const auto calls = canvas.InLayer("diagram");
        EXPECT_EQ(calls.size(), 1u);
        return calls.empty() ? DrawCall{} : calls[0];
    }

    testing::TempDir dir{"rollpath-diagram"};
};

TEST_F(Diagram, PreciseClippingDrawsOnlyWhatCoversTheWindow) {
    testing::AddRunway(doc, DPoint{-3500.0, 0.0}, DPoint{3500.0, 0.0}, 0);
    doc.m_szBmpPath = WriteDiagram(1000, 500);
    Open();
    view.SetZoom(100);  // the image is 1000000 units wide and 500000 high, the window 12500 by 9375
    const DrawCall call = DrawnDiagram();
    EXPECT_EQ(call.bounds.left, 0);
    EXPECT_EQ(call.bounds.top, 0);
    EXPECT_LE(call.bounds.right, 12500);
    EXPECT_GE(call.bounds.bottom, -9375);
    // The source is cut in proportion, about the middle 1.25 % by 1.875 % of the image
    // (rows counted from the bottom).
    const LPoint source = call.points[0];
    const LPoint sourceSize = call.points[1];
    EXPECT_NEAR(sourceSize.x, 12.5, 1.0);
    EXPECT_NEAR(source.x, 500 - 6.25, 1.0);
    EXPECT_NEAR(sourceSize.y, 9.375, 1.0);
    EXPECT_NEAR(source.y, 250 - 4.69, 1.0);
}

TEST_F(Diagram, ADamagedDiagramIsReportedAndLeftOut) {
    testing::AddRunway(doc, DPoint{-3500.0, 0.0}, DPoint{3500.0, 0.0}, 0);
    const auto path = dir / "cut.bmp";
    std::ofstream(path, std::ios::binary).write("BM\x10\0\0\0\0\0\0\0\x36\0\0\0", 14);
    doc.m_szBmpPath = path.string();
    Open();
    EXPECT_EQ(view.m_bDiagramLoaded, 0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].rfind("Cannot read the airport diagram ", 0), 0u);
    EXPECT_TRUE(Draw().InLayer("diagram").empty());
    EXPECT_EQ(doc.m_szBmpPath, path.string());
}

}  // namespace
}  // namespace rollpath
