// The pod database: the input replaces one of its files.

#include <array>
#include <cstddef>
#include <cstdint>

#include "FuzzDatabase.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static constexpr std::array<const char*, 2> kFiles = {"System/Airport.pod", "System/Runway.pod"};
    return rollpath::fuzz::RunDatabaseTarget(rollpath::SampleLayout::Pod, "pod", kFiles,
                                             std::span(data, size));
}
