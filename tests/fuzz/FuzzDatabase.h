#pragma once

// The database targets: the sample installation of one layout with one of
// its files replaced by the input (its first byte picks which), then the
// airport read as the editor reads it, runways placed and seeded. The
// network and pavement built on them are left to the scenery-file targets.

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "document/WholeFile.h"
#include "simdata/AirportLoader.h"

namespace rollpath::fuzz {

// files: paths relative to the installation folder.
template <std::size_t N>
int RunDatabaseTarget(SampleLayout layout, const char* name, const std::array<const char*, N>& files,
                      std::span<const std::uint8_t> input) {
    // The loose database is read beside the archives that locate the
    // installation, first when "PodFilesFirst" is clear.
    const bool loose = layout == SampleLayout::Loose;
    static const std::filesystem::path install = SampleInstall(loose ? SampleLayout::All : layout, name);
    static std::map<std::string, std::vector<std::uint8_t>> originals;
    if (input.empty()) {
        return 0;
    }
    const char* file = files[input[0] % N];
    if (!originals.contains(file)) {
        originals[file] = ReadWholeFile(install / file).value();
    }
    WriteInput(install / file, input.subspan(1));

    FuzzDocument& fuzz = FreshDocument(install);
    fuzz.settings.PodFilesFirst = loose ? 0 : 1;
    // Found through the second identifier: both indexes are searched.
    (void)LoadAirport(fuzz.doc, "KSFO", "KSFO.txd", "KSFO.txp", "KSFO.bgr", "KSFO.tms");
    fuzz.Empty();

    WriteInput(install / file, originals.at(file));
    return 0;
}

}  // namespace rollpath::fuzz
