#pragma once

// CBMP: an airport diagram read from a Windows bitmap file and drawn
// stretched. The file is read whole and its header checked; the pixels are
// decoded once (1, 4, 8, 16, 24 and 32 bits per pixel, uncompressed or with
// bit-field masks), from where the file header says they start, into an
// image ready to draw. Other encodings are refused when loading.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "view/Canvas.h"
#include "view/DibImage.h"

namespace rollpath {

// Files beyond these sizes are refused rather than read.
inline constexpr std::uintmax_t kMaxBitmapFileBytes = 512u * 1024u * 1024u;
inline constexpr int kMaxBitmapSide = 32768;
inline constexpr std::int64_t kMaxBitmapPixels = 100'000'000;

class CBMP {
public:
    // Releases any previous bitmap, then reads the file. 1 on success with the
    // image's width and height in pixels (the height positive whichever way
    // the rows run); 0 when the file cannot be opened, does not start with
    // "BM" (problem left empty: these fail silently), is damaged or holds
    // pixels this class cannot draw (problem says how).
    int Load(const std::filesystem::path& path, int& width, int& height, std::string& problem);
    // The same over the file's bytes.
    int Load(std::span<const std::uint8_t> file, int& width, int& height, std::string& problem);

    // Draws the source rectangle (pixels, y from the bottom row) onto the
    // destination rectangle (logical units, see Canvas::StretchDib); nothing
    // when no bitmap is loaded.
    void Draw(Canvas* canvas, int x, int y, int width, int height, int srcX, int srcY, int srcWidth,
              int srcHeight) const;

    void Reset();
    bool IsLoaded() const { return m_bLoaded != 0; }
    bool IsDrawable() const { return !m_Image.empty(); }
    const DibImage& Image() const { return m_Image; }
    // Everything of the file after its 14-byte file header.
    const std::vector<std::uint8_t>& InfoBlock() const { return m_InfoBlock; }

private:
    std::vector<std::uint8_t> m_InfoBlock;
    DibImage m_Image;
    int m_bLoaded = 0;
};

}  // namespace rollpath
