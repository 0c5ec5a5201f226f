#pragma once

// Windows bitmap files laid out by hand, byte by byte, for the diagram tests.

#include <cstdint>
#include <vector>

#include "support/FileBytes.h"

namespace rollpath::testing {

using Bytes = std::vector<std::uint8_t>;

inline void PutU16(Bytes& b, unsigned v) {
    b.push_back(static_cast<std::uint8_t>(v & 0xFF));
    b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

inline void PutU32(Bytes& b, std::uint32_t v) {
    PutU16(b, v & 0xFFFF);
    PutU16(b, v >> 16);
}

// File header, 40-byte info header, then `extra` (masks or colour table) and
// the pixel rows as given; the file header's offset points just past `extra`.
inline Bytes BitmapFile(int width, int height, int bits, std::uint32_t compression, const Bytes& extra,
                        const Bytes& rows, std::uint32_t colorsUsed = 0) {
    Bytes b = {'B', 'M'};
    const auto offset = static_cast<std::uint32_t>(14 + 40 + extra.size());
    PutU32(b, offset + static_cast<std::uint32_t>(rows.size()));
    PutU32(b, 0);
    PutU32(b, offset);
    PutU32(b, 40);
    PutU32(b, static_cast<std::uint32_t>(width));
    PutU32(b, static_cast<std::uint32_t>(height));
    PutU16(b, 1);
    PutU16(b, static_cast<unsigned>(bits));
    PutU32(b, compression);
    PutU32(b, static_cast<std::uint32_t>(rows.size()));
    PutU32(b, 2835);
    PutU32(b, 2835);
    PutU32(b, colorsUsed);
    PutU32(b, 0);
    b.insert(b.end(), extra.begin(), extra.end());
    b.insert(b.end(), rows.begin(), rows.end());
    return b;
}

// A bitmap of four coloured quarters, 24 bits per pixel: top left red, top
// right green, bottom left blue, bottom right white. Width and height even.
inline Bytes QuarteredBitmap(int width, int height) {
    // Blue, green and red of each quarter: 0 red, 1 green, 2 blue, 3 white.
    const std::uint8_t bgr[4][3] = {{0, 0, 255}, {0, 255, 0}, {255, 0, 0}, {255, 255, 255}};
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    Bytes rows;
    for (int row = 0; row < height; ++row) {  // bottom up
        Bytes line;
        for (int x = 0; x < width; ++x) {
            const int q = (row < height / 2 ? 2 : 0) + (x < width / 2 ? 0 : 1);
            line.insert(line.end(), {bgr[q][0], bgr[q][1], bgr[q][2]});
        }
        line.resize(rowBytes, 0);
        rows.insert(rows.end(), line.begin(), line.end());
    }
    return BitmapFile(width, height, 24, 0, {}, rows);
}

}  // namespace rollpath::testing
