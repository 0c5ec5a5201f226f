#pragma once

// A streaming JSON writer for the CLI's output; texts are quoted by the JSON
// library. Texts must be UTF-8; the core's single-byte texts go through
// AnsiString, which converts them. Numbers are written in their shortest
// exact form (the library would write 75.0 and 0.0001 where the dumps have
// always had 75 and 1e-04); a number that is not finite is written as null,
// since JSON has no such values.

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace rollpath::cli {

// The quoted JSON form of a UTF-8 text; invalid UTF-8 sequences become U+FFFD.
std::string JsonQuote(std::string_view utf8);

// The shortest text that reads back as the same double, or "null".
std::string JsonNumber(double value);

class JsonWriter {
public:
    // Pretty output indents by two blanks per level.
    explicit JsonWriter(std::ostream& out, bool pretty = true) : m_Out(out), m_bPretty(pretty) {}

    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    JsonWriter& Key(std::string_view utf8);

    JsonWriter& String(std::string_view utf8);
    JsonWriter& AnsiString(std::string_view ansi);
    JsonWriter& Number(double value);
    JsonWriter& Int(std::int64_t value);
    JsonWriter& Bool(bool value);
    JsonWriter& Null();

    // Key and value in one call.
    template <typename T>
    JsonWriter& Field(std::string_view key, const T& value);

private:
    void BeforeValue();
    void Open(char bracket, bool array);
    void Close(char bracket);
    void NewLine();

    struct Level {
        bool array;
        bool empty;
    };
    std::ostream& m_Out;
    bool m_bPretty;
    bool m_bAfterKey = false;
    std::vector<Level> m_Levels;
};

template <typename T>
JsonWriter& JsonWriter::Field(std::string_view key, const T& value) {
    Key(key);
    if constexpr (std::is_same_v<T, bool>) {
        return Bool(value);
    } else if constexpr (std::is_integral_v<T>) {
        return Int(static_cast<std::int64_t>(value));
    } else if constexpr (std::is_floating_point_v<T>) {
        return Number(static_cast<double>(value));
    } else {
        return String(value);
    }
}

}  // namespace rollpath::cli
