#include "support/JsonValue.h"

#include <algorithm>
#include <cstdlib>

namespace rollpath::testing {

namespace {

// Recursive descent over the text; any flaw makes the whole value nothing.
class Parser {
public:
    explicit Parser(std::string_view text) : m_Text(text) {}

    std::optional<JsonValue> Document() {
        std::optional<JsonValue> value = Value();
        return value && !Peek() ? value : std::nullopt;
    }

private:
    // The next character that is not a blank, left in place; 0 at the end.
    char Peek() {
        while (m_Pos < m_Text.size() &&
               std::string_view(" \n\r\t").find(m_Text[m_Pos]) != std::string_view::npos) {
            ++m_Pos;
        }
        return m_Pos < m_Text.size() ? m_Text[m_Pos] : '\0';
    }
    bool Take(char c) {
        if (Peek() != c) {
            return false;
        }
        ++m_Pos;
        return true;
    }
    bool Word(std::string_view word) {
        if (m_Text.substr(m_Pos, word.size()) != word) {
            return false;
        }
        m_Pos += word.size();
        return true;
    }

    std::optional<JsonValue> Value() {
        const char c = Peek();
        if (Take('{')) {
            JsonValue::Object members;
            do {
                if (members.empty() && Take('}')) {
                    return JsonValue{std::move(members)};
                }
                std::optional<std::string> key = String();
                std::optional<JsonValue> value = key && Take(':') ? Value() : std::nullopt;
                if (!value || !members.emplace(*key, std::move(*value)).second) {
                    return std::nullopt;
                }
            } while (Take(','));
            return Take('}') ? std::optional<JsonValue>(JsonValue{std::move(members)}) : std::nullopt;
        }
        if (Take('[')) {
            JsonValue::Array items;
            do {
                if (items.empty() && Take(']')) {
                    return JsonValue{std::move(items)};
                }
                std::optional<JsonValue> item = Value();
                if (!item) {
                    return std::nullopt;
                }
                items.push_back(std::move(*item));
            } while (Take(','));
            return Take(']') ? std::optional<JsonValue>(JsonValue{std::move(items)}) : std::nullopt;
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
        const std::size_t start = m_Pos;
        m_Pos = std::min(m_Text.find_first_not_of("+-0123456789.eE", start), m_Text.size());
        const std::string number(m_Text.substr(start, m_Pos - start));
        char* end = nullptr;
        const double value = std::strtod(number.c_str(), &end);
        return !number.empty() && end == number.c_str() + number.size()
                   ? std::optional<JsonValue>(JsonValue{value})
                   : std::nullopt;
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
            if (static_cast<unsigned char>(c) < 0x20 || (c == '\\' && m_Pos >= m_Text.size())) {
                return std::nullopt;
            }
            if (c != '\\') {
                out.push_back(c);
                continue;
            }
            const char e = m_Text[m_Pos++];
            const std::size_t simple = std::string_view("\"\\/bfnrt").find(e);
            if (simple != std::string_view::npos) {
                out.push_back("\"\\/\b\f\n\r\t"[simple]);
                continue;
            }
            if (e != 'u' || m_Pos + 4 > m_Text.size()) {
                return std::nullopt;
            }
            const unsigned long code =
                std::strtoul(std::string(m_Text.substr(m_Pos, 4)).c_str(), nullptr, 16);
            m_Pos += 4;
            if (code < 0x80) {
                out.push_back(static_cast<char>(code));
            } else if (code < 0x800) {
                out += {static_cast<char>(0xC0 | (code >> 6)), static_cast<char>(0x80 | (code & 0x3F))};
            } else {
                out +=
                    {static_cast<char>(0xE0 | (code >> 12)), static_cast<char>(0x80 | ((code >> 6) & 0x3F)),
                     static_cast<char>(0x80 | (code & 0x3F))};
            }
        }
        return std::nullopt;
    }

    std::string_view m_Text;
    std::size_t m_Pos = 0;
};

}  // namespace

std::size_t JsonValue::size() const {
    if (const auto* array = std::get_if<Array>(&value)) {
        return array->size();
    }
    const auto* object = std::get_if<Object>(&value);
    return object ? object->size() : 0;
}

std::optional<JsonValue> ParseJson(std::string_view text) {
    return Parser(text).Document();
}

}  // namespace rollpath::testing
