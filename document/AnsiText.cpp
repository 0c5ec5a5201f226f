#include "document/AnsiText.h"

#include <cstdint>

namespace rollpath {

namespace {

// Code page 1252 between 0x80 and 0x9F; 0 marks the five unassigned codes,
// which are given the Unicode replacement character.
constexpr std::uint16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

// The code point of the UTF-8 sequence at `at`, which is moved past it;
// nothing for a malformed sequence (then `at` moves one byte on).
std::uint32_t NextCodePoint(std::string_view s, std::size_t& at, bool& ok) {
    const auto lead = static_cast<unsigned char>(s[at]);
    ok = true;
    if (lead < 0x80) {
        ++at;
        return lead;
    }
    std::size_t length = 0;
    std::uint32_t code = 0;
    std::uint32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        code = lead & 0x1Fu;
        smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        code = lead & 0x0Fu;
        smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        code = lead & 0x07u;
        smallest = 0x10000;
    }
    if (length == 0 || s.size() - at < length) {
        ok = false;
        ++at;
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(s[at + k]);
        if ((next & 0xC0) != 0x80) {
            ok = false;
            ++at;
            return 0;
        }
        code = code << 6 | (next & 0x3Fu);
    }
    at += length;
    ok = code >= smallest && code <= 0x10FFFF;
    return code;
}

char AnsiOf(std::uint32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
        return static_cast<char>(code);
    }
    for (std::size_t k = 0; k < 32; ++k) {
        if (kHighControls[k] != 0 && kHighControls[k] == code) {
            return static_cast<char>(0x80 + k);
        }
    }
    return '?';
}

}  // namespace

std::string Utf8ToAnsi(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t at = 0;
    while (at < utf8.size()) {
        bool ok = true;
        const std::uint32_t code = NextCodePoint(utf8, at, ok);
        out.push_back(ok ? AnsiOf(code) : '?');
    }
    return out;
}

std::string AnsiToUtf8(std::string_view ansi) {
    std::string out;
    out.reserve(ansi.size() + ansi.size() / 4);
    for (const char c : ansi) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 && byte < 0xA0) {
            const std::uint16_t code = kHighControls[byte - 0x80];
            AppendUtf8(out, code != 0 ? code : 0xFFFD);
        } else {
            AppendUtf8(out, byte);
        }
    }
    return out;
}

}  // namespace rollpath
