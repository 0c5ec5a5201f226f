#include "document/ProgramDir.h"

#include <cstdlib>
#include <fstream>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace rollpath {

namespace {

#ifdef _WIN32
std::filesystem::path ExecutablePath() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) {
            return {};
        }
        if (length < name.size()) {
            name.resize(length);
            return name;
        }
        name.resize(name.size() * 2);
    }
}

// Where QStandardPaths::AppDataLocation lies on Windows.
std::filesystem::path UserDataDir() {
    if (const wchar_t* appData = _wgetenv(L"APPDATA"); appData != nullptr && *appData != L'\0') {
        return appData;
    }
    std::error_code ec;
    return std::filesystem::temp_directory_path(ec);
}
#else
std::filesystem::path ExecutablePath() {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : exe;
}

// Where QStandardPaths::AppDataLocation lies on Linux.
std::filesystem::path UserDataDir() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && *xdg != '\0') {
        return xdg;
    }
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return std::filesystem::path(home) / ".local" / "share";
    }
    std::error_code ec;
    return std::filesystem::temp_directory_path(ec);
}
#endif

}  // namespace

bool IsWritableFolder(const std::filesystem::path& folder) {
#ifdef _WIN32
    // Windows decides by access lists that no attribute shows (a folder under
    // "Program Files" is not read-only, yet refuses new files): try one.
    const std::filesystem::path probe = folder / (".rollpath-probe-" + std::to_string(GetCurrentProcessId()));
    const bool created = std::ofstream(probe, std::ios::binary).is_open();
    std::error_code ec;
    std::filesystem::remove(probe, ec);
    return created;
#else
    return ::access(folder.c_str(), W_OK) == 0;
#endif
}

std::filesystem::path DefaultProgramDir() {
    const std::filesystem::path exe = ExecutablePath();
    if (!exe.empty() && IsWritableFolder(exe.parent_path())) {
        return exe.parent_path();
    }
    // "Marrowvale"/"Rollpath" under the data folder, as the editor's.
    return UserDataDir() / "Marrowvale" / "Rollpath";
}

}  // namespace rollpath
