#include <fstream>

#include "cli/ArgParse.h"
#include "cli/ScriptSession.h"
#include "document/Utf8Path.h"

namespace rollpath::cli {

namespace {

constexpr const char* kScriptSynopsis =
    "rollpath-cli script FILE [COMMON]\n"
    "COMMON: --fly-dir DIR --output-dir DIR --project-dir DIR --settings FILE.ini --seed N";

}  // namespace

int RunScript(const Args& args, std::ostream& out, std::ostream& err) {
    CommonOptions options;
    std::string file;
    CommandParser app("script", kScriptSynopsis);
    app.add_option("FILE", file, "the script, one command per line")->required();
    AddCommonOptions(app, options);
    if (const std::optional<int> status = ParseArgs(app, args, out, err)) {
        return *status;
    }
    std::ifstream script(PathFromUtf8(file), std::ios::binary);
    if (!script) {
        err << "rollpath-cli: cannot read script '" << file << "'\n";
        return kExitFailure;
    }
    ScriptSession session(err);
    if (!session.Prepare(options)) {
        return kExitFailure;
    }
    return session.Run(script, file);
}

}  // namespace rollpath::cli
