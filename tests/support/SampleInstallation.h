#pragma once

#include <filesystem>

#include "simdata/SampleInstall.h"

namespace rollpath::testing {

// The repository's samples/ folder (the sample airports and their runways).
std::filesystem::path SamplesDir();

// Writes the sample airports of samples/ as a simulator installation under
// flyDir, with an empty "Data" output folder. False when it cannot.
bool WriteSampleInstallation(const std::filesystem::path& flyDir, SampleLayout layout = SampleLayout::Pod);

}  // namespace rollpath::testing
