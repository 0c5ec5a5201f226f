#pragma once

#include <string>
#include <string_view>

namespace rollpath {

// The core keeps the single-byte texts of the Windows ANSI code page (1252):
// the degree sign is the byte 0xB0, and names from the simulator's database
// are stored as they are. The UI and the CLI convert at their boundary.
std::string AnsiToUtf8(std::string_view ansi);

// The way back, for text the user typed: characters the code page lacks, and
// bytes that are not UTF-8, become "?".
std::string Utf8ToAnsi(std::string_view utf8);

}  // namespace rollpath
