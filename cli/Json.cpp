#include "cli/Json.h"

#include <array>
#include <charconv>
#include <cmath>

#include "document/AnsiText.h"

namespace rollpath::cli {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// The length of the valid UTF-8 sequence at the start of text, or 0.
std::size_t ValidSequenceLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    std::uint32_t code = 0;
    if (lead < 0x80) {
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07u;
    } else {
        return 0;
    }
    if (text.size() < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0u) != 0x80u) {
            return 0;
        }
        code = (code << 6) | (byte(i) & 0x3Fu);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (overlong || surrogate || code > 0x10FFFF) {
        return 0;
    }
    return length;
}

}  // namespace

std::string JsonQuote(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size() + 2);
    out.push_back('"');
    while (!utf8.empty()) {
        const char c = utf8.front();
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80) {
            const std::size_t length = ValidSequenceLength(utf8);
            if (length == 0) {
                out += kReplacement;
                utf8.remove_prefix(1);
            } else {
                out += utf8.substr(0, length);
                utf8.remove_prefix(length);
            }
            continue;
        }
        utf8.remove_prefix(1);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (byte < 0x20) {
                    constexpr char kHex[] = "0123456789abcdef";
                    out += "\\u00";
                    out.push_back(kHex[byte >> 4]);
                    out.push_back(kHex[byte & 0xF]);
                } else {
                    out.push_back(c);
                }
        }
    }
    out.push_back('"');
    return out;
}

std::string JsonNumber(double value) {
    if (!std::isfinite(value)) {
        return "null";
    }
    if (value == 0.0) {
        return "0";  // also for -0.0, which JSON readers handle unevenly
    }
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

void JsonWriter::NewLine() {
    if (m_bPretty) {
        m_Out << '\n' << std::string(2 * m_Levels.size(), ' ');
    }
}

void JsonWriter::BeforeValue() {
    if (m_bAfterKey) {
        m_bAfterKey = false;
        return;
    }
    if (m_Levels.empty()) {
        return;
    }
    Level& level = m_Levels.back();
    if (!level.empty) {
        m_Out << ',';
    }
    level.empty = false;
    NewLine();
}

void JsonWriter::Open(char bracket, bool array) {
    BeforeValue();
    m_Out << bracket;
    m_Levels.push_back(Level{array, true});
}

void JsonWriter::Close(char bracket) {
    const bool empty = m_Levels.back().empty;
    m_Levels.pop_back();
    if (!empty) {
        NewLine();
    }
    m_Out << bracket;
}

JsonWriter& JsonWriter::BeginObject() {
    Open('{', false);
    return *this;
}

JsonWriter& JsonWriter::EndObject() {
    Close('}');
    return *this;
}

JsonWriter& JsonWriter::BeginArray() {
    Open('[', true);
    return *this;
}

JsonWriter& JsonWriter::EndArray() {
    Close(']');
    return *this;
}

JsonWriter& JsonWriter::Key(std::string_view utf8) {
    BeforeValue();
    m_Out << JsonQuote(utf8) << (m_bPretty ? ": " : ":");
    m_bAfterKey = true;
    return *this;
}

JsonWriter& JsonWriter::String(std::string_view utf8) {
    BeforeValue();
    m_Out << JsonQuote(utf8);
    return *this;
}

JsonWriter& JsonWriter::AnsiString(std::string_view ansi) {
    return String(AnsiToUtf8(ansi));
}

JsonWriter& JsonWriter::Number(double value) {
    BeforeValue();
    m_Out << JsonNumber(value);
    return *this;
}

JsonWriter& JsonWriter::Int(std::int64_t value) {
    BeforeValue();
    m_Out << value;
    return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
    BeforeValue();
    m_Out << (value ? "true" : "false");
    return *this;
}

JsonWriter& JsonWriter::Null() {
    BeforeValue();
    m_Out << "null";
    return *this;
}

}  // namespace rollpath::cli
