#pragma once

#include <cstdint>
#include <vector>

namespace rollpath {

// A decoded device-independent bitmap: rows top to bottom, each pixel
// 0xFFRRGGBB (the layout of a 32-bit RGB image on a little-endian machine).
struct DibImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // width * height

    bool empty() const { return pixels.empty(); }
};

}  // namespace rollpath
