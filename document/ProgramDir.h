#pragma once

// The program folder: where "Rollpath.rpj" and the side files live.

#include <filesystem>
#include <optional>
#include <string>

namespace rollpath {

// A file of this name beside the executable marks a portable installation.
inline constexpr const char* kPortableMarker = "portable";

// In this order: the folder given for the run (--project-dir), the folder
// the "ProjectDir" setting names, the executable's own folder for a portable
// installation, and otherwise the per-user data folder. An executable's
// folder is no place for an author's files, even when it is writable.
std::filesystem::path ChooseProgramDir(const std::optional<std::string>& runDir,
                                       const std::string& settingDir,
                                       const std::filesystem::path& executableDir,
                                       const std::filesystem::path& userDataDir);

// The folder of the running executable; empty when it cannot be told.
std::filesystem::path ExecutableDir();

// The per-user data folder of "Marrowvale"/"Rollpath", where Qt's
// AppDataLocation puts it: $XDG_DATA_HOME, else ~/.local/share.
std::filesystem::path UserDataDir();

}  // namespace rollpath
