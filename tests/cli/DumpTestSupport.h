#pragma once

// Running `rollpath-cli dump` on files made in the test.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "cli/CliTestSupport.h"
#include "scenery/SceneryTestSupport.h"

namespace rollpath::cli {

using rollpath::testing::Bytes;
using rollpath::testing::Golden;

inline bool Has(const JsonValue& value, const std::string& key) {
    return value.Members().count(key) > 0;
}

// Each named member holds the given number.
inline void ExpectFields(const JsonValue& value,
                         std::initializer_list<std::pair<const char*, double>> fields) {
    for (const auto& [key, number] : fields) {
        EXPECT_EQ(value[key].Number(), number) << key;
    }
}

// The numbers of an array.
inline std::vector<double> Numbers(const JsonValue& array) {
    std::vector<double> numbers;
    for (const JsonValue& item : array.Items()) {
        numbers.push_back(item.Number());
    }
    return numbers;
}

class DumpTest : public CliTest {
protected:
    std::filesystem::path Put(const std::string& name, const Bytes& bytes) {
        const std::filesystem::path path = dir / name;
        rollpath::testing::WriteBytes(path, bytes);
        return path;
    }

    std::filesystem::path PutText(const std::string& name, const std::string& text) {
        return Put(name, Bytes(text.begin(), text.end()));
    }

    // The dump's JSON. Whatever the file, the output is JSON and the status
    // is 1 exactly when it has an "error" member.
    JsonValue Dump(const std::filesystem::path& path, int expectedStatus) {
        const Outcome run = Call(&RunDump, {path.string()});
        EXPECT_EQ(run.status, expectedStatus) << run.out << run.err;
        const std::optional<JsonValue> json = ParseJson(run.out);
        EXPECT_TRUE(json.has_value()) << run.out;
        if (!json) {
            return JsonValue{};
        }
        EXPECT_EQ(Has(*json, "error"), run.status == kExitFailure) << run.out;
        return *json;
    }
};

}  // namespace rollpath::cli
