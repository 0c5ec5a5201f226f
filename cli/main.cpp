// rollpath-cli: the editor's core without its window. main() only dispatches.

#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>
#endif

#include "cli/Commands.h"

namespace {

constexpr const char* kUsage =
    "usage:\n"
    "  rollpath-cli sample-install DIR [--layout loose|epd|pod|all] [--all-airports RUNWAYS.csv]\n"
    "  rollpath-cli info CODE [COMMON]\n"
    "  rollpath-cli build CODE [--tms] [--safe-mode] [COMMON]\n"
    "  rollpath-cli build-all RUNWAYS.csv [--limit N] [--times FILE.csv] [COMMON]\n"
    "  rollpath-cli dump FILE\n"
    "  rollpath-cli script FILE [COMMON]\n"
    "  rollpath-cli render CODE OUT.svg|OUT.png [--size WxH] [--show markings,lights,vertices,grid] "
    "[COMMON]\n"
    "COMMON: --fly-dir DIR --output-dir DIR --project-dir DIR --settings FILE.ini --seed N\n";

struct Command {
    std::string_view name;
    int (*run)(const rollpath::cli::Args&, std::ostream&, std::ostream&);
};

constexpr Command kCommands[] = {
    {"sample-install", &rollpath::cli::RunSampleInstall},
    {"info", &rollpath::cli::RunInfo},
    {"build", &rollpath::cli::RunBuild},
    {"build-all", &rollpath::cli::RunBuildAll},
    {"dump", &rollpath::cli::RunDump},
    {"render", &rollpath::cli::RunRender},
    {"script", &rollpath::cli::RunScript},
};

// The arguments as UTF-8, which the core takes for paths. Windows hands
// main() its arguments in the ANSI code page, which cannot name every file,
// so there they come from the wide command line.
std::vector<std::string> Arguments(int argc, char** argv) {
#ifdef _WIN32
    int count = 0;
    if (wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count); wide != nullptr) {
        std::vector<std::string> args;
        for (int i = 0; i < count; ++i) {
            const int length = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
            std::string arg(static_cast<std::size_t>(length > 0 ? length : 1), '\0');
            WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), length, nullptr, nullptr);
            arg.pop_back();  // the terminating zero
            args.push_back(std::move(arg));
        }
        LocalFree(wide);
        return args;
    }
#endif
    return std::vector<std::string>(argv, argv + argc);
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // Output ends lines with LF as on every platform (the dumps and the
    // summaries compare equal byte for byte), not the console's CRLF.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    const std::vector<std::string> arguments = Arguments(argc, argv);
    argc = static_cast<int>(arguments.size());
    if (argc < 2) {
        std::cerr << kUsage;
        return rollpath::cli::kExitUsage;
    }
    const std::string_view name = arguments[1];
    if (name == "--help" || name == "-h" || name == "help") {
        std::cout << kUsage;
        return rollpath::cli::kExitSuccess;
    }
    const rollpath::cli::Args args(arguments.begin() + 2, arguments.end());
    for (const Command& command : kCommands) {
        if (command.name == name) {
            return command.run(args, std::cout, std::cerr);
        }
    }
    std::cerr << "rollpath-cli: unknown command '" << name << "'\n" << kUsage;
    return rollpath::cli::kExitUsage;
}
