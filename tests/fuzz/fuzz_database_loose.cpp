// The loose database: the input replaces one of its files.

#include <array>
#include <cstddef>
#include <cstdint>

#include "FuzzDatabase.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static constexpr std::array<const char*, 5> kFiles = {"DATABASE/AIRPORT.DBD", "DATABASE/RUNWAY.DBD",
                                                          "DATABASE/APRTFAA.DBI", "DATABASE/APRTICAO.DBI",
                                                          "DATABASE/RUNWAY.DBI"};
    return rollpath::fuzz::RunDatabaseTarget(rollpath::SampleLayout::Loose, "loose", kFiles,
                                             std::span(data, size));
}
