#include "cli/CommonOptions.h"

#include "document/Utf8Path.h"
#include "settings/SettingsIni.h"

#include <charconv>
#include <string_view>
#include <system_error>

namespace rollpath::cli {

namespace {

enum class Option { FlyDir, OutputDir, ProjectDir, Settings, Seed };

struct OptionName {
    std::string_view name;
    Option option;
};

constexpr OptionName kOptions[] = {{"--fly-dir", Option::FlyDir},
                                   {"--output-dir", Option::OutputDir},
                                   {"--project-dir", Option::ProjectDir},
                                   {"--settings", Option::Settings},
                                   {"--seed", Option::Seed}};

std::optional<std::uint32_t> ParseSeed(std::string_view text) {
    std::uint32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

OptionParse ParseCommonOption(const std::vector<std::string>& args, std::size_t& i, CommonOptions& options,
                              std::string& error) {
    const std::string_view arg = args[i];
    for (const OptionName& candidate : kOptions) {
        std::string value;
        std::size_t used = 1;
        if (arg == candidate.name) {
            if (i + 1 >= args.size()) {
                error = std::string(candidate.name) + " needs a value";
                return OptionParse::Error;
            }
            value = args[i + 1];
            used = 2;
        } else if (arg.size() > candidate.name.size() &&
                   arg.substr(0, candidate.name.size()) == candidate.name &&
                   arg[candidate.name.size()] == '=') {
            value = std::string(arg.substr(candidate.name.size() + 1));
        } else {
            continue;
        }
        switch (candidate.option) {
            case Option::FlyDir:
                options.flyDir = value;
                break;
            case Option::OutputDir:
                options.outputDir = value;
                break;
            case Option::ProjectDir:
                options.projectDir = value;
                break;
            case Option::Settings:
                options.settingsFile = value;
                break;
            case Option::Seed:
                options.seed = ParseSeed(value);
                if (!options.seed) {
                    error = "--seed needs a whole number from 0 to 4294967295, not '" + value + "'";
                    return OptionParse::Error;
                }
                break;
        }
        i += used;
        return OptionParse::Consumed;
    }
    return OptionParse::NotCommon;
}

void ApplyCommonOptions(const CommonOptions& options, Settings& settings, CRollpathDoc& doc) {
    if (options.flyDir) {
        settings.FlyDir = *options.flyDir;
    }
    if (options.outputDir) {
        settings.OutputDir = *options.outputDir;
    }
    doc.SetProgramDir(options.projectDir ? PathFromUtf8(*options.projectDir) : DefaultProgramDir());
}

bool PrepareDocument(const CommonOptions& options, Settings& settings, CRollpathDoc& doc, std::ostream& err) {
    settings = Settings{};
    if (options.settingsFile) {
        const std::optional<IniSettingsStore> store =
            IniSettingsStore::Load(PathFromUtf8(*options.settingsFile));
        if (!store) {
            err << "rollpath-cli: cannot read settings file '" << *options.settingsFile << "'\n";
            return false;
        }
        settings = SettingsFromIni(*store);
    }
    doc.SetSettings(&settings);
    ApplyCommonOptions(options, settings, doc);
    doc.SetTriangulationSeed(options.seed);
    // The project list and the side files are written there; a per-user
    // folder may not exist yet on a first run.
    std::error_code ec;
    std::filesystem::create_directories(doc.ProgramDir(), ec);
    return true;
}

}  // namespace rollpath::cli
