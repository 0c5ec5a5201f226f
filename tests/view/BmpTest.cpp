#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "ViewTestSupport.h"
#include "geometry/Geodesy.h"
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

TEST_F(Bitmap, SixteenBitsWithMasksAreMarkedUncompressed) {
    Bytes masks;
    U32(masks, 0xF800);
    U32(masks, 0x07E0);
    U32(masks, 0x001F);
    Bytes rows;
    U16(rows, 0x001F);  // blue
    U16(rows, 0);
    ASSERT_EQ(Load(BitmapFile(1, 1, 16, 3, masks, rows)), 1);
    const Bytes& info = bmp.InfoBlock();
    EXPECT_EQ(Bytes(info.begin() + 16, info.begin() + 20), (Bytes{0, 0, 0, 0}));
    // Drawn through its masks all the same: 5-6-5, not 5-5-5.
    EXPECT_EQ(bmp.Image().pixels, (std::vector<std::uint32_t>{0xFF0000FF}));
    // Thirty-two bits with masks keep their compression.
    Bytes rows32;
    U32(rows32, 0x00FF0000);
    Bytes masks32;
    U32(masks32, 0x00FF0000);
    U32(masks32, 0x0000FF00);
    U32(masks32, 0x000000FF);
    ASSERT_EQ(Load(BitmapFile(1, 1, 32, 3, masks32, rows32)), 1);
    EXPECT_EQ(bmp.InfoBlock()[16], 3);
    EXPECT_EQ(bmp.Image().pixels, (std::vector<std::uint32_t>{0xFFFF0000}));
}

TEST_F(Bitmap, FourBitsThroughTheColourTable) {
    const Bytes palette = {0, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0};  // black, red, green, blue
    const Bytes rows = {0x12, 0x30, 0, 0};                                         // red, green, blue
    ASSERT_EQ(Load(BitmapFile(3, 1, 4, 0, palette, rows, 4)), 1);
    EXPECT_EQ(bmp.Image().pixels, (std::vector<std::uint32_t>{0xFFFF0000, 0xFF00FF00, 0xFF0000FF}));
}

TEST_F(Bitmap, EncodingsThatCannotBeDrawnAreRefusedWithAReason) {
    struct Case {
        int bits;
        std::uint32_t compression;
        const char* problem;
    };
    const Case cases[] = {
        {8, 1, "its encoding (8 bits per pixel, compression 1) cannot be drawn"},
        {4, 2, "its encoding (4 bits per pixel, compression 2) cannot be drawn"},
        {24, 4, "its encoding (24 bits per pixel, compression 4) cannot be drawn"},
        {0, 5, "its encoding (0 bits per pixel, compression 5) cannot be drawn"},
        {2, 0, "its encoding (2 bits per pixel, compression 0) cannot be drawn"},
        {24, 3, "its encoding (24 bits per pixel, compression 3) cannot be drawn"},
        {64, 0, "its encoding (64 bits per pixel, compression 0) cannot be drawn"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Load(BitmapFile(4, 4, c.bits, c.compression, Bytes(1024, 0), Bytes(256, 0))), 0) << c.bits;
        EXPECT_FALSE(bmp.IsLoaded());
        EXPECT_EQ(problem, c.problem);
    }
    RecordingCanvas canvas;
    bmp.Draw(&canvas, 0, 0, 100, -100, 0, 0, 4, 4);
    EXPECT_TRUE(canvas.calls.empty());
}

// Every shortened copy of a file, and copies with header bytes changed,
// either load whole or are refused: never a read outside the file.
TEST_F(Bitmap, CutAndDamagedFilesNeverReadOutsideTheFile) {
    Bytes masks;
    U32(masks, 0xF800);
    U32(masks, 0x07E0);
    U32(masks, 0x001F);
    const Bytes files[] = {
        testing::QuarteredBitmap(6, 4, 8),
        testing::QuarteredBitmap(6, 4, 24),
        BitmapFile(3, 2, 16, 3, masks, Bytes(16, 0x5A)),
        BitmapFile(9, 3, 1, 0, {0, 0, 0, 0, 255, 255, 255, 0}, Bytes(12, 0xA5)),
    };
    for (const Bytes& whole : files) {
        for (std::size_t n = 0; n <= whole.size(); ++n) {
            const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n));
            if (Load(cut) == 1) {
                EXPECT_EQ(bmp.Image().pixels.size(), static_cast<std::size_t>(width) * height);
                EXPECT_EQ(n, whole.size()) << "a cut file loaded at " << n;
            }
        }
        // Each header byte set to values that matter for sizes and offsets.
        for (std::size_t at = 2; at < 14 + 40 + 16 && at < whole.size(); ++at) {
            for (const std::uint8_t value : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
                Bytes damaged = whole;
                damaged[at] = value;
                if (Load(damaged) == 1) {
                    EXPECT_EQ(bmp.Image().pixels.size(), static_cast<std::size_t>(width) * height) << at;
                    EXPECT_GT(width, 0);
                    EXPECT_GT(height, 0);
                }
            }
        }
    }
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
