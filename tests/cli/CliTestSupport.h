#pragma once

// Running the CLI's commands in tests: by direct call or as the built program.

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "cli/Commands.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

namespace rollpath::cli {

using rollpath::testing::ReadText;
using rollpath::testing::TempDir;
using JsonValue = nlohmann::json;

// The value of a whole JSON text; nothing when the text is not JSON.
inline std::optional<JsonValue> ParseJson(std::string_view text) {
    JsonValue value = JsonValue::parse(text, nullptr, false);
    return value.is_discarded() ? std::nullopt : std::optional<JsonValue>(std::move(value));
}

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

inline Outcome Call(int (*command)(const Args&, std::ostream&, std::ostream&), const Args& args) {
    std::ostringstream out;
    std::ostringstream err;
    Outcome run;
    run.status = command(args, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

#ifdef _WIN32
// For cmd.exe; the tests' arguments hold no double quotes.
inline std::string Quoted(const std::string& arg) {
    return "\"" + arg + "\"";
}
#else
inline std::string Quoted(const std::string& arg) {
    std::string quoted = "'";
    for (const char c : arg) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}
#endif

// Runs the built program in workDir (when given) through the shell, its
// output in files of outputDir.
inline Outcome RunProgram(const Args& args, const std::filesystem::path& outputDir,
                          const std::filesystem::path& workDir = {}) {
    std::string command = Quoted(ROLLPATH_CLI_EXE);
    for (const std::string& arg : args) {
        command += " " + Quoted(arg);
    }
    const std::filesystem::path out = outputDir / "stdout.txt";
    const std::filesystem::path err = outputDir / "stderr.txt";
    command += " >" + Quoted(out.string()) + " 2>" + Quoted(err.string());
#ifdef _WIN32
    if (!workDir.empty()) {
        command = "cd /d " + Quoted(workDir.string()) + " && " + command;
    }
    // cmd /c drops the outer pair of quotes of a line that has several.
    const int status = std::system(("\"" + command + "\"").c_str());
#else
    if (!workDir.empty()) {
        command = "cd " + Quoted(workDir.string()) + " && " + command;
    }
    const int raw = std::system(command.c_str());
    const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
    Outcome run;
    run.status = status;
    run.out = ReadText(out);
    run.err = ReadText(err);
    return run;
}

class CliTest : public ::testing::Test {
protected:
    Outcome Program(const Args& args, const std::filesystem::path& workDir = {}) {
        return RunProgram(args, dir.path(), workDir);
    }

    std::string Fly(const std::string& layout) const { return (dir / layout).string(); }

    void InstallLayout(const std::string& layout) {
        const Outcome run = Call(&RunSampleInstall, {Fly(layout), "--layout", layout});
        ASSERT_EQ(run.status, kExitSuccess) << run.err;
    }

    TempDir dir{"rollpath-cli"};
};

}  // namespace rollpath::cli
