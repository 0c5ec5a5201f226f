#pragma once

// The program folder of the editor's run (see ChooseProgramDir), with Qt's
// own per-user data folder.

#include <filesystem>
#include <optional>
#include <string>

namespace rollpath {

// The folder for this run, created when it is missing.
std::filesystem::path ProgramFolder(const std::optional<std::string>& runDir, const std::string& settingDir);

}  // namespace rollpath
