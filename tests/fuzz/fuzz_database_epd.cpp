// The epd database: the input replaces one of its files.

#include <array>
#include <cstddef>
#include <cstdint>

#include "FuzzDatabase.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static constexpr std::array<const char*, 2> kFiles = {"System/Airport.epd", "System/Runway.epd"};
    return rollpath::fuzz::RunDatabaseTarget(rollpath::SampleLayout::Epd, "epd", kFiles,
                                             std::span(data, size));
}
