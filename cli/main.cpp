// rollpath-cli: the editor's core without its window. main() only dispatches.

#include <iostream>
#include <string_view>

#include "cli/Commands.h"

namespace {

constexpr const char* kUsage =
    "usage:\n"
    "  rollpath-cli sample-install DIR [--layout loose|epd|pod|all] [--all-airports RUNWAYS.csv]\n"
    "  rollpath-cli info CODE [COMMON]\n"
    "  rollpath-cli build CODE [--tms] [--safe-mode] [--check] [COMMON]\n"
    "  rollpath-cli build-all RUNWAYS.csv [--limit N] [--times FILE.csv] [--check] [COMMON]\n"
    "  rollpath-cli check CODE [--format text|json] [--only ID,...] [COMMON]\n"
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
    {"check", &rollpath::cli::RunCheck},
    {"dump", &rollpath::cli::RunDump},
    {"render", &rollpath::cli::RunRender},
    {"script", &rollpath::cli::RunScript},
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << kUsage;
        return rollpath::cli::kExitUsage;
    }
    const std::string_view name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        std::cout << kUsage;
        return rollpath::cli::kExitSuccess;
    }
    const rollpath::cli::Args args(argv + 2, argv + argc);
    for (const Command& command : kCommands) {
        if (command.name == name) {
            return command.run(args, std::cout, std::cerr);
        }
    }
    std::cerr << "rollpath-cli: unknown command '" << name << "'\n" << kUsage;
    return rollpath::cli::kExitUsage;
}
