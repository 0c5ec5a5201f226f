// rollpath-cli: the editor's core without its window. main() only dispatches:
// each subcommand parses its own arguments, "--help" included.

#include <CLI/CLI.hpp>
#include <clocale>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>
#endif

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
    {"import", "add a GeoJSON layout (map data or an export) to an airport and save it",
     &rollpath::cli::RunImport},
    {"export", "write an airport as GeoJSON for GIS tools", &rollpath::cli::RunExport},
    {"dump", "any file the editor writes, as JSON", &rollpath::cli::RunDump},
    {"render", "draw an airport as the editor shows it (SVG or PNG)", &rollpath::cli::RunRender},
    {"script", "a headless editor session", &rollpath::cli::RunScript},
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
    // The user's locale, as the editor's QApplication adopts it, so that the
    // CLI runs the same paths; no number may follow it.
    std::setlocale(LC_ALL, "");
    using namespace rollpath::cli;
    const std::vector<std::string> arguments = Arguments(argc, argv);
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
        // CLI11 takes the arguments after the program's name, last first.
        app.parse(std::vector<std::string>(arguments.rbegin(), arguments.rend() - 1));
    } catch (const CLI::Success& e) {
        return app.exit(e, std::cout, std::cerr);
    } catch (const CLI::ParseError& e) {
        // A word that is no command is named as such.
        const bool unknown =
            arguments.size() > 1 && !arguments[1].starts_with('-') && app.get_subcommands().empty();
        std::cerr << "rollpath-cli: "
                  << (unknown ? "unknown command '" + arguments[1] + "'" : std::string(e.what())) << '\n'
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
