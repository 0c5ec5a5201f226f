#pragma once

// The program folder: where "Rollpath.rpj" and the side files live. The
// executable's own folder when it is writable (a portable installation),
// otherwise the per-user data folder; "--project-dir" overrides both.

#include <filesystem>
#include <optional>
#include <string>

namespace rollpath {

std::filesystem::path ChooseProgramFolder(const std::optional<std::string>& projectDir,
                                          const std::filesystem::path& executableDir,
                                          bool executableDirWritable,
                                          const std::filesystem::path& userDataDir);

// The folder for this run, created when it is missing.
std::filesystem::path ProgramFolder(const std::optional<std::string>& projectDir);

}  // namespace rollpath
