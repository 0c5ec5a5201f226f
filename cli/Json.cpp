#include "cli/Json.h"

#include <array>
#include <charconv>
#include <cmath>

#include <nlohmann/json.hpp>

#include "document/AnsiText.h"

namespace rollpath::cli {

std::string JsonQuote(std::string_view utf8) {
    return nlohmann::json(std::string(utf8)).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
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
