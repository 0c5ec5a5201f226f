#include "support/JsonValue.h"

#include <cstdlib>

namespace rollpath::testing {

namespace {

class Parser {
public:
    explicit Parser(std::string_view text) : m_Text(text) {}

    std::optional<JsonValue> Document() {
        std::optional<JsonValue> value = Value();
        SkipBlanks();
        if (!value || m_Pos != m_Text.size()) {
            return std::nullopt;
        }
        return value;
    }

private:
    void SkipBlanks() {
        while (m_Pos < m_Text.size() && (m_Text[m_Pos] == ' ' || m_Text[m_Pos] == '\n' ||
                                         m_Text[m_Pos] == '\r' || m_Text[m_Pos] == '\t')) {
            ++m_Pos;
        }
    }
    bool Take(char c) {
        SkipBlanks();
        if (m_Pos < m_Text.size() && m_Text[m_Pos] == c) {
            ++m_Pos;
            return true;
        }
        return false;
    }
    bool Word(std::string_view word) {
        if (m_Text.substr(m_Pos, word.size()) == word) {
            m_Pos += word.size();
            return true;
        }
        return false;
    }

    std::optional<JsonValue> Value() {
        SkipBlanks();
        if (m_Pos >= m_Text.size()) {
            return std::nullopt;
        }
        const char c = m_Text[m_Pos];
        if (c == '{') {
            return ObjectValue();
        }
        if (c == '[') {
            return ArrayValue();
        }
        if (c == '"') {
            std::optional<std::string> text = String();
            return text ? std::optional<JsonValue>(JsonValue{*text}) : std::nullopt;
        }
        if (Word("null")) {
            return JsonValue{nullptr};
        }
        if (Word("true")) {
            return JsonValue{true};
        }
        if (Word("false")) {
            return JsonValue{false};
        }
        return NumberValue();
    }

    std::optional<JsonValue> NumberValue() {
        const std::size_t start = m_Pos;
        while (m_Pos < m_Text.size() &&
               std::string_view("+-0123456789.eE").find(m_Text[m_Pos]) != std::string_view::npos) {
            ++m_Pos;
        }
        if (m_Pos == start) {
            return std::nullopt;
        }
        const std::string number(m_Text.substr(start, m_Pos - start));
        char* end = nullptr;
        const double value = std::strtod(number.c_str(), &end);
        if (end != number.c_str() + number.size()) {
            return std::nullopt;
        }
        return JsonValue{value};
    }

    std::optional<std::string> String() {
        if (!Take('"')) {
            return std::nullopt;
        }
        std::string out;
        while (m_Pos < m_Text.size()) {
            const char c = m_Text[m_Pos++];
            if (c == '"') {
                return out;
            }
            if (static_cast<unsigned char>(c) < 0x20) {
                return std::nullopt;
            }
            if (c != '\\') {
                out.push_back(c);
                continue;
            }
            if (m_Pos >= m_Text.size()) {
                return std::nullopt;
            }
            const char e = m_Text[m_Pos++];
            switch (e) {
                case '"':
                case '\\':
                case '/':
                    out.push_back(e);
                    break;
                case 'b':
                    out.push_back('\b');
                    break;
                case 'f':
                    out.push_back('\f');
                    break;
                case 'n':
                    out.push_back('\n');
                    break;
                case 'r':
                    out.push_back('\r');
                    break;
                case 't':
                    out.push_back('\t');
                    break;
                case 'u': {
                    if (m_Pos + 4 > m_Text.size()) {
                        return std::nullopt;
                    }
                    const unsigned long code =
                        std::strtoul(std::string(m_Text.substr(m_Pos, 4)).c_str(), nullptr, 16);
                    m_Pos += 4;
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
                    break;
                }
                default:
                    return std::nullopt;
            }
        }
        return std::nullopt;
    }

    std::optional<JsonValue> ArrayValue() {
        Take('[');
        JsonValue::Array items;
        if (Take(']')) {
            return JsonValue{std::move(items)};
        }
        do {
            std::optional<JsonValue> item = Value();
            if (!item) {
                return std::nullopt;
            }
            items.push_back(std::move(*item));
        } while (Take(','));
        if (!Take(']')) {
            return std::nullopt;
        }
        return JsonValue{std::move(items)};
    }

    std::optional<JsonValue> ObjectValue() {
        Take('{');
        JsonValue::Object members;
        if (Take('}')) {
            return JsonValue{std::move(members)};
        }
        do {
            SkipBlanks();
            std::optional<std::string> key = String();
            if (!key || !Take(':')) {
                return std::nullopt;
            }
            std::optional<JsonValue> value = Value();
            if (!value || !members.emplace(*key, std::move(*value)).second) {
                return std::nullopt;
            }
        } while (Take(','));
        if (!Take('}')) {
            return std::nullopt;
        }
        return JsonValue{std::move(members)};
    }

    std::string_view m_Text;
    std::size_t m_Pos = 0;
};

}  // namespace

std::size_t JsonValue::size() const {
    if (const auto* array = std::get_if<Array>(&value)) {
        return array->size();
    }
    if (const auto* object = std::get_if<Object>(&value)) {
        return object->size();
    }
    return 0;
}

std::optional<JsonValue> ParseJson(std::string_view text) {
    return Parser(text).Document();
}

}  // namespace rollpath::testing
