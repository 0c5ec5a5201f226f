#include <gtest/gtest.h>

#include <set>
#include <string>

#include "view/CommandIds.h"
#include "view/StatusPanes.h"
#include "view/SvgCanvas.h"

namespace rollpath {
namespace {

TEST(SvgCanvas, ColoursCoordinatesAndShapes) {
    EXPECT_EQ(SvgColor(0x0000FF), "#ff0000");
    EXPECT_EQ(SvgColor(0x40FF2A), "#2aff40");
    SvgCanvas canvas(200, 100, 96);
    const LPoint triangle[] = {{0, 0}, {1000, -500}, {0, -1000}};
    canvas.BeginLayer("runways");
    canvas.FillPolygon(triangle, 0x00FFFF);
    canvas.EndLayer();
    canvas.SetNullBrush();
    canvas.Ellipse(LRect{-60, 60, 60, -60});
    const std::string svg = canvas.Finish();
    EXPECT_NE(svg.find("width=\"200\" height=\"100\" viewBox=\"0 0 200 100\""), std::string::npos);
    EXPECT_NE(svg.find("<g class=\"runways\">\n<polygon points=\"0,0 96,48 0,96\" fill=\"#ffff00\" "
                       "fill-rule=\"nonzero\" stroke=\"none\"/>\n</g>"),
              std::string::npos)
        << svg;
    EXPECT_NE(svg.find("<ellipse cx=\"0\" cy=\"0\" rx=\"5.76\" ry=\"5.76\" fill=\"none\" stroke=\"#000000\""),
              std::string::npos)
        << svg;
    EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
}

TEST(SvgCanvas, NotXorBecomesADifferenceBlendOfTheInverse) {
    SvgCanvas canvas(10, 10);
    canvas.SetRasterOp(RasterOp::NotXorPen);
    const LPoint line[] = {{0, 0}, {100, -100}};
    canvas.Polyline(line);
    EXPECT_NE(
        canvas.Finish().find("stroke=\"#ffffff\" stroke-width=\"1\" style=\"mix-blend-mode:difference\""),
        std::string::npos);
}

TEST(SvgCanvas, Base64AndBitmapEncoding) {
    EXPECT_EQ(Base64(""), "");
    EXPECT_EQ(Base64("f"), "Zg==");
    EXPECT_EQ(Base64("fo"), "Zm8=");
    EXPECT_EQ(Base64("foo"), "Zm9v");
    EXPECT_EQ(Base64(std::string("\xff\x00\x10", 3)), "/wAQ");
    DibImage image;
    image.width = 2;
    image.height = 2;
    image.pixels = {0xFF010203, 0xFF040506, 0xFF070809, 0xFF0A0B0C};
    const std::string bmp = EncodeBmp(image, 1, 0, 1, 2);  // the right column
    ASSERT_EQ(bmp.size(), 54u + 8u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<unsigned char>(bmp[2]), 62u);
    EXPECT_EQ(static_cast<unsigned char>(bmp[18]), 1u);  // width
    EXPECT_EQ(static_cast<unsigned char>(bmp[22]), 2u);  // height
    // Rows bottom-up, BGR, padded to 4 bytes.
    EXPECT_EQ(bmp.substr(54), std::string("\x0c\x0b\x0a\0\x06\x05\x04\0", 8));
    EXPECT_TRUE(EncodeBmp(image, 5, 0, 1, 1).empty());
}

}  // namespace
}  // namespace rollpath
