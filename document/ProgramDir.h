#pragma once

#include <filesystem>

namespace rollpath {

// The folder of "Rollpath.rpj" and the side files: the program's own folder
// when it is writable (a portable installation), otherwise the per-user data
// folder.
std::filesystem::path DefaultProgramDir();

// Whether new files can be made in folder.
bool IsWritableFolder(const std::filesystem::path& folder);

}  // namespace rollpath
