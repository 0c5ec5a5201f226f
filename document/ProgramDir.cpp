#include "document/ProgramDir.h"

#include <cstdlib>
#include <system_error>

#include <unistd.h>

namespace rollpath {

std::filesystem::path DefaultProgramDir() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec && ::access(exe.parent_path().c_str(), W_OK) == 0) {
        return exe.parent_path();
    }
    // Where QStandardPaths::AppDataLocation puts "Marrowvale"/"Rollpath".
    std::filesystem::path data;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && *xdg != '\0') {
        data = xdg;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        data = std::filesystem::path(home) / ".local" / "share";
    } else {
        data = std::filesystem::temp_directory_path(ec);
    }
    return data / "Marrowvale" / "Rollpath";
}

}  // namespace rollpath
