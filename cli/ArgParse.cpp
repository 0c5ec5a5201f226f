#include "cli/ArgParse.h"

#include <charconv>
#include <string_view>
#include <system_error>
#include <vector>

namespace rollpath::cli {

namespace {

std::optional<std::uint32_t> ParseSeed(std::string_view text) {
    std::uint32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

CommandParser::CommandParser(const char* name, const char* synopsis)
    : CLI::App(std::string("usage: ") + synopsis, std::string("rollpath-cli ") + name) {
    // A later occurrence of an option wins.
    option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
}

std::optional<int> ParseArgs(CLI::App& app, const Args& args, std::ostream& out, std::ostream& err) {
    // CLI11 takes the arguments last first.
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return kExitSuccess;
    } catch (const CLI::ParseError& e) {
        return UsageError(err, e.what(),
                          app.get_description().substr(std::string_view("usage: ").size()).c_str());
    }
    return std::nullopt;
}

void AddCommonOptions(CLI::App& app, CommonOptions& options) {
    app.add_option("--fly-dir", options.flyDir, "the Fly! folder")->type_name("DIR");
    app.add_option("--output-dir", options.outputDir, "the folder that receives the scenery files")
        ->type_name("DIR");
    app.add_option("--project-dir", options.projectDir, "the folder of Rollpath.rpj and the side files")
        ->type_name("DIR");
    app.add_option("--settings", options.settingsFile, "settings from an INI file")->type_name("FILE.ini");
    app.add_option_function<std::string>(
           "--seed",
           [&options](const std::string& text) {
               options.seed = ParseSeed(text);
               if (!options.seed) {
                   throw CLI::ValidationError(
                       "--seed", "needs a whole number from 0 to 4294967295, not '" + text + "'");
               }
           },
           "the triangulator's seed")
        ->type_name("N");
}

}  // namespace rollpath::cli
