// A scripted editor session: every line through the same view the editor
// uses (tools, drags, keys, dialogs answered from the script, Save into the
// scratch folder). Lines that would write a file where the input says
// (dump-doc, render) are left out, and a session ends after kMaxLines lines:
// longer ones mostly repeat edits at the cost of many shorter sessions.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "FuzzSupport.h"
#include "cli/CommonOptions.h"
#include "cli/ScriptSession.h"

namespace {

constexpr int kMaxLines = 64;

std::string WithoutFileWriters(const std::string& text) {
    std::istringstream in(text);
    std::string kept;
    std::string line;
    std::vector<std::string> words;
    std::string error;
    for (int lines = 0; lines < kMaxLines && std::getline(in, line); ++lines) {
        // Without quotes a line names neither command unless it holds its name.
        const bool plain = line.find('"') == std::string::npos &&
                           line.find("dump-doc") == std::string::npos &&
                           line.find("render") == std::string::npos;
        if (!plain && rollpath::cli::SplitScriptLine(line, words, error) && !words.empty() &&
            (words.front() == "dump-doc" || words.front() == "render")) {
            continue;
        }
        kept.append(line).push_back('\n');
    }
    return kept;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace rollpath;
    static const auto install = fuzz::SampleInstall(SampleLayout::Pod, "pod");
    static const auto project = fuzz::Scratch() / "script-project";
    static const auto output = fuzz::Scratch() / "script-output";
    // Each session starts without the files an earlier one saved. The
    // folders are dated back when emptied: a file saved into one dates it
    // anew, which one look at its time tells (listing it costs more).
    static const auto emptied = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    for (const auto& folder : {project, output}) {
        std::error_code ec;
        if (std::filesystem::last_write_time(folder, ec) != emptied) {
            std::filesystem::remove_all(folder, ec);
            std::filesystem::create_directories(folder, ec);
            std::filesystem::last_write_time(folder, emptied, ec);
        }
    }
    static const cli::CommonOptions options{install.string(), output.string(), project.string(), {}, 1u};
    std::ostringstream err;
    cli::ScriptSession session(err);
    if (session.Prepare(options)) {
        std::istringstream script(WithoutFileWriters(std::string(reinterpret_cast<const char*>(data), size)));
        (void)session.Run(script, "fuzz.script");
    }
    return 0;
}
