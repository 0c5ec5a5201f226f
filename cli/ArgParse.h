#pragma once

// A subcommand's arguments parsed with CLI11: "--help" and "-h" print the
// command's usage (status 0); a usage error prints the reason and the
// synopsis (status 2).

#include <CLI/CLI.hpp>
#include <optional>
#include <ostream>

#include "cli/Commands.h"
#include "cli/CommonOptions.h"

namespace rollpath::cli {

// A command's parser: its name after "rollpath-cli" and its synopsis, shown
// by --help and after a usage error.
class CommandParser : public CLI::App {
public:
    CommandParser(const char* name, const char* synopsis);
};

// Nothing when the arguments were taken and the command goes on; otherwise
// the exit status, with the help or the usage error written out.
std::optional<int> ParseArgs(CLI::App& app, const Args& args, std::ostream& out, std::ostream& err);

// --fly-dir DIR --output-dir DIR --project-dir DIR --settings FILE.ini --seed N
void AddCommonOptions(CLI::App& app, CommonOptions& options);

}  // namespace rollpath::cli
