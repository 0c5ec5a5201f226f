#include "view/Bmp.h"

#include <algorithm>
#include <bit>
#include <fstream>
#include <optional>
#include <system_error>

namespace rollpath {

namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kInfoHeaderBytes = 40;
constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kBitFields = 3;
// The compression field's place in the info block.
constexpr std::size_t kCompressionAt = 16;

std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
           static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::uint16_t U16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

// One channel taken out of a pixel by its mask and scaled to 0..255.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t max = 0;

    explicit Channel(std::uint32_t m) : mask(m) {
        if (m != 0) {
            shift = std::countr_zero(m);
            max = m >> shift;
        }
    }
    std::uint32_t Of(std::uint32_t pixel) const {
        if (max == 0) {
            return 0;
        }
        return static_cast<std::uint32_t>((static_cast<std::uint64_t>((pixel & mask) >> shift) * 255u) / max);
    }
};

std::uint32_t Rgb32(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return 0xFF000000u | r << 16 | g << 8 | b;
}

struct Layout {
    int width = 0;
    int height = 0;  // rows, positive
    bool topDown = false;
    int bits = 0;
    std::uint32_t compression = kRgb;
    std::size_t rowBytes = 0;
    std::size_t pixelOffset = 0;  // into the whole file
    std::size_t paletteOffset = 0;
    std::size_t paletteEntries = 0;
    std::uint32_t masks[3] = {0, 0, 0};
};

bool Drawable(const Layout& l) {
    if (l.compression == kRgb) {
        return l.bits == 1 || l.bits == 4 || l.bits == 8 || l.bits == 16 || l.bits == 24 || l.bits == 32;
    }
    return l.compression == kBitFields && (l.bits == 16 || l.bits == 32);
}

// The header's fields checked against the file; a problem text when damaged.
std::optional<Layout> ReadLayout(std::span<const std::uint8_t> file, std::string& problem) {
    if (file.size() < kFileHeaderBytes + kInfoHeaderBytes) {
        problem = "the file is too short for its headers";
        return std::nullopt;
    }
    const std::uint32_t headerSize = U32(file, kFileHeaderBytes);
    if (headerSize < kInfoHeaderBytes || headerSize > file.size() - kFileHeaderBytes) {
        problem = "its information header is not one this editor reads";
        return std::nullopt;
    }
    const auto width = static_cast<std::int32_t>(U32(file, kFileHeaderBytes + 4));
    const auto height = static_cast<std::int32_t>(U32(file, kFileHeaderBytes + 8));
    Layout l;
    l.bits = U16(file, kFileHeaderBytes + 14);
    l.compression = U32(file, kFileHeaderBytes + 16);
    if (width <= 0 || height == 0 || width > kMaxBitmapSide || height > kMaxBitmapSide ||
        height < -kMaxBitmapSide ||
        static_cast<std::int64_t>(width) * std::abs(static_cast<std::int64_t>(height)) > kMaxBitmapPixels) {
        problem =
            "its size of " + std::to_string(width) + " by " + std::to_string(height) + " pixels is refused";
        return std::nullopt;
    }
    l.width = width;
    l.height = height < 0 ? -height : height;
    l.topDown = height < 0;
    if (!Drawable(l)) {
        problem = "its encoding (" + std::to_string(l.bits) + " bits per pixel, compression " +
                  std::to_string(l.compression) + ") cannot be drawn";
        return std::nullopt;
    }
    l.rowBytes = ((static_cast<std::size_t>(l.width) * static_cast<std::size_t>(l.bits) + 31) / 32) * 4;
    std::size_t afterHeader = kFileHeaderBytes + headerSize;
    if (l.compression == kBitFields) {
        const std::size_t maskAt = kFileHeaderBytes + kInfoHeaderBytes;
        if (headerSize == kInfoHeaderBytes) {
            afterHeader += 12;
        }
        if (maskAt + 12 > file.size()) {
            problem = "its colour masks are missing";
            return std::nullopt;
        }
        for (int i = 0; i < 3; ++i) {
            l.masks[i] = U32(file, maskAt + 4 * static_cast<std::size_t>(i));
        }
    } else if (l.bits == 16) {
        l.masks[0] = 0x7C00;
        l.masks[1] = 0x03E0;
        l.masks[2] = 0x001F;
    }
    if (l.bits <= 8) {
        const std::uint32_t used = U32(file, kFileHeaderBytes + 32);
        const std::size_t full = std::size_t{1} << l.bits;
        l.paletteEntries = used == 0 || used > full ? full : used;
        l.paletteOffset = afterHeader;
    }
    const std::size_t computed = afterHeader + 4 * l.paletteEntries;
    const std::size_t pixelBytes = l.rowBytes * static_cast<std::size_t>(l.height);
    // The file header's own offset is preferred; some writers leave it 0.
    const std::size_t stated = U32(file, 10);
    if (stated >= afterHeader && stated <= file.size() && file.size() - stated >= pixelBytes) {
        l.pixelOffset = stated;
    } else if (computed <= file.size() && file.size() - computed >= pixelBytes) {
        l.pixelOffset = computed;
    } else {
        problem = "its pixels are cut short";
        return std::nullopt;
    }
    l.paletteEntries =
        std::min(l.paletteEntries, (l.pixelOffset - std::min(l.pixelOffset, l.paletteOffset)) / 4);
    return l;
}

std::vector<std::uint32_t> ReadPalette(std::span<const std::uint8_t> file, const Layout& l) {
    std::vector<std::uint32_t> palette(std::size_t{1} << (l.bits <= 8 ? l.bits : 0), 0xFF000000u);
    for (std::size_t i = 0; i < l.paletteEntries && i < palette.size(); ++i) {
        const std::size_t at = l.paletteOffset + 4 * i;
        palette[i] = Rgb32(file[at + 2], file[at + 1], file[at]);
    }
    return palette;
}

DibImage Decode(std::span<const std::uint8_t> file, const Layout& l) {
    DibImage image;
    image.width = l.width;
    image.height = l.height;
    image.pixels.resize(static_cast<std::size_t>(l.width) * static_cast<std::size_t>(l.height));
    const std::vector<std::uint32_t> palette = ReadPalette(file, l);
    const Channel red(l.masks[0]);
    const Channel green(l.masks[1]);
    const Channel blue(l.masks[2]);
    for (int row = 0; row < l.height; ++row) {
        const int fileRow = l.topDown ? row : l.height - 1 - row;
        const std::uint8_t* src =
            file.data() + l.pixelOffset + l.rowBytes * static_cast<std::size_t>(fileRow);
        std::uint32_t* dst =
            image.pixels.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(l.width);
        for (int x = 0; x < l.width; ++x) {
            const auto ux = static_cast<std::size_t>(x);
            switch (l.bits) {
                case 1:
                    dst[x] = palette[(src[ux / 8] >> (7 - ux % 8)) & 1u];
                    break;
                case 4:
                    dst[x] = palette[(src[ux / 2] >> (ux % 2 == 0 ? 4 : 0)) & 0xFu];
                    break;
                case 8:
                    dst[x] = palette[src[ux]];
                    break;
                case 16: {
                    const std::uint32_t p = static_cast<std::uint32_t>(src[2 * ux] | src[2 * ux + 1] << 8);
                    dst[x] = Rgb32(red.Of(p), green.Of(p), blue.Of(p));
                    break;
                }
                case 24:
                    dst[x] = Rgb32(src[3 * ux + 2], src[3 * ux + 1], src[3 * ux]);
                    break;
                default: {
                    const std::uint8_t* q = src + 4 * ux;
                    if (l.compression == kBitFields) {
                        const std::uint32_t p =
                            static_cast<std::uint32_t>(q[0]) | static_cast<std::uint32_t>(q[1]) << 8 |
                            static_cast<std::uint32_t>(q[2]) << 16 | static_cast<std::uint32_t>(q[3]) << 24;
                        dst[x] = Rgb32(red.Of(p), green.Of(p), blue.Of(p));
                    } else {
                        dst[x] = Rgb32(q[2], q[1], q[0]);
                    }
                    break;
                }
            }
        }
    }
    return image;
}

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path,
                                                       std::string& problem) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec) {
        return std::nullopt;
    }
    if (size > kMaxBitmapFileBytes) {
        problem = "the file is larger than this editor reads";
        return std::vector<std::uint8_t>{};
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

}  // namespace

int CBMP::Load(const std::filesystem::path& path, int& width, int& height, std::string& problem) {
    Reset();
    problem.clear();
    std::optional<std::vector<std::uint8_t>> file = ReadWholeFile(path, problem);
    if (!file || !problem.empty()) {
        return 0;
    }
    return Load(*file, width, height, problem);
}

int CBMP::Load(std::span<const std::uint8_t> file, int& width, int& height, std::string& problem) {
    Reset();
    problem.clear();
    if (file.size() < 2 || file[0] != 'B' || file[1] != 'M') {
        return 0;
    }
    const std::optional<Layout> layout = ReadLayout(file, problem);
    if (!layout) {
        return 0;
    }
    m_InfoBlock.assign(file.begin() + kFileHeaderBytes, file.end());
    m_Image = Decode(file, *layout);
    // 16-bit pixels with masks are kept marked uncompressed; the decoded
    // image already used the masks.
    if (layout->bits == 16 && layout->compression == kBitFields) {
        std::fill_n(m_InfoBlock.begin() + kCompressionAt, 4, std::uint8_t{0});
    }
    m_bLoaded = 1;
    width = layout->width;
    height = layout->height;
    return 1;
}

void CBMP::Draw(Canvas* canvas, int x, int y, int width, int height, int srcX, int srcY, int srcWidth,
                int srcHeight) const {
    if (canvas == nullptr || m_bLoaded == 0 || m_Image.empty()) {
        return;
    }
    canvas->StretchDib(m_Image, x, y, width, height, srcX, srcY, srcWidth, srcHeight);
}

void CBMP::Reset() {
    m_InfoBlock.clear();
    m_InfoBlock.shrink_to_fit();
    m_Image = DibImage{};
    m_bLoaded = 0;
}

}  // namespace rollpath
