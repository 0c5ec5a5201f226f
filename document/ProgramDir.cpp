#include "document/ProgramDir.h"

#include <cstdlib>
#include <string>
#include <system_error>

#include "document/Utf8Path.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace rollpath {

std::filesystem::path ChooseProgramDir(const std::optional<std::string>& runDir,
                                       const std::string& settingDir,
                                       const std::filesystem::path& executableDir,
                                       const std::filesystem::path& userDataDir) {
    if (runDir && !runDir->empty()) {
        return PathFromUtf8(*runDir);
    }
    if (!settingDir.empty()) {
        return PathFromUtf8(settingDir);
    }
    std::error_code ec;
    if (!executableDir.empty() && std::filesystem::is_regular_file(executableDir / kPortableMarker, ec)) {
        return executableDir;
    }
    return userDataDir;
}

#ifdef _WIN32
std::filesystem::path ExecutableDir() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) {
            return {};
        }
        if (length < name.size()) {
            name.resize(length);
            return std::filesystem::path(name).parent_path();
        }
        name.resize(name.size() * 2);
    }
}

// Where QStandardPaths::AppDataLocation lies on Windows.
std::filesystem::path UserDataDir() {
    std::filesystem::path data;
    if (const wchar_t* appData = _wgetenv(L"APPDATA"); appData != nullptr && *appData != L'\0') {
        data = appData;
    } else {
        std::error_code ec;
        data = std::filesystem::temp_directory_path(ec);
    }
    return data / "Marrowvale" / "Rollpath";
}
#else
std::filesystem::path ExecutableDir() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : exe.parent_path();
}

// Where QStandardPaths::AppDataLocation lies on Linux.
std::filesystem::path UserDataDir() {
    std::filesystem::path data;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && *xdg != '\0') {
        data = xdg;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        data = std::filesystem::path(home) / ".local" / "share";
    } else {
        std::error_code ec;
        data = std::filesystem::temp_directory_path(ec);
    }
    return data / "Marrowvale" / "Rollpath";
}
#endif

}  // namespace rollpath
