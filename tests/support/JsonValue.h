#pragma once

// A small JSON reader for tests that check the CLI's output field by field.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace rollpath::testing {

struct JsonValue {
    using Array = std::vector<JsonValue>;
    using Object = std::map<std::string, JsonValue>;
    std::variant<std::nullptr_t, bool, double, std::string, Array, Object> value;

    bool IsNull() const { return std::holds_alternative<std::nullptr_t>(value); }
    double Number() const { return std::get<double>(value); }
    const std::string& Text() const { return std::get<std::string>(value); }
    bool Bool() const { return std::get<bool>(value); }
    const Array& Items() const { return std::get<Array>(value); }
    const Object& Members() const { return std::get<Object>(value); }
    // A member of an object (throws when there is none).
    const JsonValue& operator[](const std::string& key) const { return Members().at(key); }
    const JsonValue& operator[](std::size_t index) const { return Items().at(index); }
    std::size_t size() const;
};

// The value of a whole JSON text (surrounding blanks allowed); nothing when
// the text is not valid JSON.
std::optional<JsonValue> ParseJson(std::string_view text);

}  // namespace rollpath::testing
