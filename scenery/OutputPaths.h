#pragma once

// Where the scenery files go.

#include <filesystem>

namespace rollpath {

struct Settings;

// The "OutputDir" setting when it is not empty, otherwise the simulator's
// data folder, FlyDir + "/Data". A simulator folder copied from a Windows
// disk may spell the data folder in another case; an existing folder of that
// name in any case is used then.
std::filesystem::path OutputDirectory(const Settings& settings);

}  // namespace rollpath
