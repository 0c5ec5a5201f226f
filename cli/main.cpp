// rollpath-cli: the editor's core without its window. main() only dispatches:
// each subcommand parses its own arguments, "--help" included.

#include <CLI/CLI.hpp>
#include <clocale>
#include <iostream>
#include <string>
#include <vector>

#include "RollpathVersion.h"
#include "cli/Commands.h"

namespace {

struct Command {
    const char* name;
    const char* summary;
    int (*run)(const rollpath::cli::Args&, std::ostream&, std::ostream&);
};

constexpr Command kCommands[] = {
    {"sample-install", "write a small Fly! installation from the sample data",
     &rollpath::cli::RunSampleInstall},
    {"info", "what opening an airport gives, as JSON", &rollpath::cli::RunInfo},
    {"build", "open an airport as the editor would and save all its files", &rollpath::cli::RunBuild},
    {"build-all", "build every airport of a runway list", &rollpath::cli::RunBuildAll},
    {"check", "what the layout checks find on an airport", &rollpath::cli::RunCheck},
    {"dump", "any file the editor writes, as JSON", &rollpath::cli::RunDump},
    {"render", "draw an airport as the editor shows it (SVG or PNG)", &rollpath::cli::RunRender},
    {"script", "a headless editor session", &rollpath::cli::RunScript},
};

}  // namespace

int main(int argc, char** argv) {
    // The user's locale, as the editor's QApplication adopts it, so that the
    // CLI runs the same paths; no number may follow it.
    std::setlocale(LC_ALL, "");
    using namespace rollpath::cli;
    CLI::App app("The Rollpath editor without its window.", "rollpath-cli");
    app.set_version_flag("--version", std::string("rollpath-cli ") + kRollpathVersion);
    app.require_subcommand(1);
    app.footer("Each command prints its own options with --help.");
    for (const Command& command : kCommands) {
        CLI::App* sub = app.add_subcommand(command.name, command.summary);
        // The command's own parser takes everything after its name.
        sub->prefix_command();
        sub->set_help_flag();
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {
        return app.exit(e, std::cout, std::cerr);
    } catch (const CLI::ParseError& e) {
        // A word that is no command is named as such.
        const bool unknown = argc > 1 && argv[1][0] != '-' && app.get_subcommands().empty();
        std::cerr << "rollpath-cli: "
                  << (unknown ? "unknown command '" + std::string(argv[1]) + "'" : std::string(e.what()))
                  << '\n'
                  << app.help();
        return kExitUsage;
    }
    for (const Command& command : kCommands) {
        if (const CLI::App* sub = app.get_subcommand(command.name); sub->parsed()) {
            return command.run(sub->remaining(), std::cout, std::cerr);
        }
    }
    return kExitUsage;
}
