#pragma once

// Paths into the simulator's installation. The names are written as the
// simulator's own texts ("\System\Airport.pod") and appended to a folder; the
// installation may have been copied from a Windows disk, where case does not
// matter, so each component is looked up case-insensitively when the exact
// name is absent.

#include <filesystem>
#include <string>
#include <string_view>

#include "settings/Settings.h"

namespace rollpath {

// base + relative, where relative is backslash-separated. Each component is
// taken as written when it exists, otherwise the first entry of the folder
// (in name order) that equals it ignoring ASCII case, otherwise as written
// (so that opening it fails). An empty base is the root folder, as the
// simulator's texts are appended to the folder directly.
std::filesystem::path ResolveInstallPath(const std::filesystem::path& base, std::string_view relative);

// Whether the resolved path exists (a query of the file's status).
bool InstallPathExists(const std::filesystem::path& base, std::string_view relative);

// The folder that receives the scenery files: the "OutputDir" setting when it
// is not empty, otherwise the installation's "\Data" folder (found in any
// case, as the installation may come from a Windows disk).
std::filesystem::path OutputDirectory(const Settings& settings);

// A scenery file of the airport in the output folder: the "OutputDir" setting
// when it is set, otherwise the installation's "\Data" folder.
std::filesystem::path OutputFilePath(const Settings& settings, std::string_view fileName);

// ASCII case-insensitive equality, as the simulator's names and codes compare.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace rollpath
