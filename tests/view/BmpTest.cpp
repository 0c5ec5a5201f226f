#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "ViewTestSupport.h"
#include "geometry/Geodesy.h"
#include "support/TempDir.h"
#include "view/Bmp.h"

namespace rollpath {
namespace {

using Bytes = std::vector<std::uint8_t>;

void U16(Bytes& b, unsigned v) {
    b.push_back(static_cast<std::uint8_t>(v & 0xFF));
    b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void U32(Bytes& b, std::uint32_t v) {
    U16(b, v & 0xFFFF);
    U16(b, v >> 16);
}

// A bitmap file laid out by hand: file header, 40-byte info header, then
// `extra` (masks or colour table) and the pixel rows as given.
Bytes BitmapFile(int width, int height, int bits, std::uint32_t compression, const Bytes& extra,
                 const Bytes& rows, std::uint32_t colorsUsed = 0) {
    Bytes b = {'B', 'M'};
    const auto offset = static_cast<std::uint32_t>(14 + 40 + extra.size());
    U32(b, offset + static_cast<std::uint32_t>(rows.size()));
    U32(b, 0);
    U32(b, offset);
    U32(b, 40);
    U32(b, static_cast<std::uint32_t>(width));
    U32(b, static_cast<std::uint32_t>(height));
    U16(b, 1);
    U16(b, static_cast<unsigned>(bits));
    U32(b, compression);
    U32(b, static_cast<std::uint32_t>(rows.size()));
    U32(b, 2835);
    U32(b, 2835);
    U32(b, colorsUsed);
    U32(b, 0);
    b.insert(b.end(), extra.begin(), extra.end());
    b.insert(b.end(), rows.begin(), rows.end());
    return b;
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

TEST_F(Bitmap, TwentyFourBitsBottomUp) {
    // 2 x 2: bottom row blue, green; top row red, white (BGR, rows padded to 8 bytes).
    const Bytes rows = {255, 0, 0, 0, 255, 0, 0, 0, 0, 0, 255, 255, 255, 255, 0, 0};
    ASSERT_EQ(Load(BitmapFile(2, 2, 24, 0, {}, rows)), 1);
    EXPECT_EQ(width, 2);
    EXPECT_EQ(height, 2);
    EXPECT_TRUE(bmp.IsLoaded());
    ASSERT_TRUE(bmp.IsDrawable());
    EXPECT_EQ(bmp.Image().pixels,
              (std::vector<std::uint32_t>{0xFFFF0000, 0xFFFFFFFF, 0xFF0000FF, 0xFF00FF00}));
    EXPECT_EQ(bmp.InfoBlock().size(), 40u + 16u);
}

TEST_F(Bitmap, EightBitsThroughAShortColourTable) {
    const Bytes palette = {0, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0};  // black, red, green
    const Bytes rows = {1, 2, 0, 0, 2, 1, 0, 0};
    ASSERT_EQ(Load(BitmapFile(2, 2, 8, 0, palette, rows, 3)), 1);
    EXPECT_EQ(bmp.Image().pixels,
              (std::vector<std::uint32_t>{0xFF00FF00, 0xFFFF0000, 0xFFFF0000, 0xFF00FF00}));
}

TEST_F(Bitmap, OneBitFromItsHeadersOffset) {
    const Bytes palette = {0, 0, 0, 0, 255, 255, 255, 0};
    const Bytes rows = {0xA0, 0, 0, 0, 0x40, 0, 0, 0};  // bottom 1 0 1, top 0 1 0
    ASSERT_EQ(Load(BitmapFile(3, 2, 1, 0, palette, rows)), 1);
    EXPECT_EQ(bmp.Image().pixels, (std::vector<std::uint32_t>{0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF,
                                                              0xFF000000, 0xFFFFFFFF}));
}

TEST_F(Bitmap, SixteenBitsWithMasksAndTopDown) {
    Bytes masks;
    U32(masks, 0xF800);
    U32(masks, 0x07E0);
    U32(masks, 0x001F);
    Bytes rows;
    U16(rows, 0xF800);  // red
    U16(rows, 0x07E0);  // green
    ASSERT_EQ(Load(BitmapFile(2, -1, 16, 3, masks, rows)), 1);
    EXPECT_EQ(height, 1);
    EXPECT_EQ(bmp.Image().pixels, (std::vector<std::uint32_t>{0xFFFF0000, 0xFF00FF00}));
}

TEST_F(Bitmap, ThirtyTwoBits) {
    const Bytes rows = {10, 20, 30, 0};
    ASSERT_EQ(Load(BitmapFile(1, 1, 32, 0, {}, rows)), 1);
    EXPECT_EQ(bmp.Image().pixels, (std::vector<std::uint32_t>{0xFF1E140A}));
}

TEST_F(Bitmap, AFileHeaderWithoutSizesStillLoads) {
    Bytes b = BitmapFile(1, 1, 24, 0, {}, {1, 2, 3, 0});
    for (int i = 2; i < 14; ++i) {
        b[static_cast<std::size_t>(i)] = 0;  // size and offset left 0 by some writers
    }
    ASSERT_EQ(Load(b), 1);
    EXPECT_EQ(bmp.Image().pixels, (std::vector<std::uint32_t>{0xFF030201}));
}

TEST_F(Bitmap, OtherEncodingsLoadButDoNotDraw) {
    ASSERT_EQ(Load(BitmapFile(4, 4, 8, 1 /* run-length */, Bytes(1024, 0), {0, 0})), 1);
    EXPECT_TRUE(bmp.IsLoaded());
    EXPECT_FALSE(bmp.IsDrawable());
    RecordingCanvas canvas;
    bmp.Draw(&canvas, 0, 0, 100, -100, 0, 0, 4, 4);
    EXPECT_TRUE(canvas.calls.empty());
}

struct RefusedCase {
    const char* name;
    Bytes bytes;
    bool silent;
};

TEST_F(Bitmap, DamagedAndForeignFilesAreRefused) {
    Bytes truncated = BitmapFile(100, 100, 24, 0, {}, Bytes(30000, 7));
    truncated.resize(5000);
    Bytes smallHeader = BitmapFile(2, 2, 24, 0, {}, Bytes(16, 0));
    smallHeader[14] = 12;  // an OS/2 header
    const RefusedCase cases[] = {
        {"not a bitmap", {'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, true},
        {"empty", {}, true},
        {"headers cut", {'B', 'M', 0, 0, 0, 0}, false},
        {"pixels cut", truncated, false},
        {"zero width", BitmapFile(0, 2, 24, 0, {}, Bytes(16, 0)), false},
        {"huge", BitmapFile(40000, 40000, 24, 0, {}, Bytes(16, 0)), false},
        {"unknown header", smallHeader, false},
    };
    for (const RefusedCase& c : cases) {
        EXPECT_EQ(Load(c.bytes), 0) << c.name;
        EXPECT_FALSE(bmp.IsLoaded()) << c.name;
        EXPECT_EQ(problem.empty(), c.silent) << c.name << ": " << problem;
    }
    EXPECT_EQ(bmp.Load(dir / "missing.bmp", width, height, problem), 0);
    EXPECT_TRUE(problem.empty());
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

TEST_F(Diagram, AtScaleHundredTheRunwaysSpanSeventyPercent) {
    testing::AddRunway(doc, DPoint{-3500.0, 0.0}, DPoint{3500.0, 0.0}, 0);
    doc.m_szBmpPath = WriteDiagram(1000, 500);
    settings.PreciseClipping = 0;
    Open();
    ASSERT_EQ(view.m_bDiagramLoaded, 1);
    EXPECT_DOUBLE_EQ(view.m_dBmpBaseWidth, 10000.0);
    EXPECT_EQ(view.m_dBmpAspect, 0.5);
    const DrawCall call = DrawnDiagram();
    const int zoom = view.m_nZoom;
    EXPECT_EQ(call.bounds.right - call.bounds.left, 10000 * 10000 / zoom);
    EXPECT_EQ(call.bounds.bottom - call.bounds.top, -5000 * 10000 / zoom);
    // Centred on the benchmark, all of the image.
    const LPoint b = view.BenchmarkLogical();
    EXPECT_NEAR((call.bounds.left + call.bounds.right) / 2.0, b.x, 1.0);
    EXPECT_NEAR((call.bounds.top + call.bounds.bottom) / 2.0, b.y, 1.0);
    EXPECT_EQ(call.points[1], (LPoint{1000, 500}));
}

TEST_F(Diagram, OffsetsPlaceTheImageCentre) {
    testing::AddRunway(doc, DPoint{-3500.0, 0.0}, DPoint{3500.0, 0.0}, 0);
    doc.m_szBmpPath = WriteDiagram(100, 100);
    doc.m_nBmpX = 3000;
    doc.m_nBmpY = 4000;
    Open();
    double course = 0.0;
    double distance = 0.0;
    CourseAndDistance(doc.m_Airport.lat, doc.m_Airport.lon, view.m_dAnchorLat, view.m_dAnchorLon, course,
                      distance);
    EXPECT_NEAR(distance * kFeetPerNauticalMile, 5000.0, 5000.0 * 0.01);
    EXPECT_NEAR(course, 36.87, 0.5);
}

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
