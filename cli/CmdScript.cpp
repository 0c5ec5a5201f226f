#include <fstream>

#include "cli/Commands.h"
#include "cli/CommonOptions.h"
#include "cli/ScriptSession.h"
#include "document/Utf8Path.h"

namespace rollpath::cli {

namespace {

constexpr const char* kSynopsis =
    "rollpath-cli script FILE [COMMON]\n"
    "COMMON: --fly-dir DIR --output-dir DIR --project-dir DIR --settings FILE.ini --seed N";

}  // namespace

int RunScript(const Args& args, std::ostream& /*out*/, std::ostream& err) {
    CommonOptions options;
    std::optional<std::string> file;
    for (std::size_t i = 0; i < args.size();) {
        std::string error;
        switch (ParseCommonOption(args, i, options, error)) {
            case OptionParse::Consumed:
                continue;
            case OptionParse::Error:
                return UsageError(err, error, kSynopsis);
            case OptionParse::NotCommon:
                break;
        }
        if (args[i].starts_with("--") || file) {
            return UsageError(err, "unexpected argument '" + args[i] + "'", kSynopsis);
        }
        file = args[i++];
    }
    if (!file) {
        return UsageError(err, "missing FILE", kSynopsis);
    }
    std::ifstream script(PathFromUtf8(*file), std::ios::binary);
    if (!script) {
        err << "rollpath-cli: cannot read script '" << *file << "'\n";
        return kExitFailure;
    }
    ScriptSession session(err);
    if (!session.Prepare(options)) {
        return kExitFailure;
    }
    return session.Run(script, *file);
}

}  // namespace rollpath::cli
