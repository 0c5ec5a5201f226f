// The polygon file reader.

#include <cstddef>
#include <cstdint>

#include "FuzzScenery.h"
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace rollpath;
    const auto input = std::span(data, size);
    auto& fuzz = fuzz::FreshDocument();
    const auto [lat, lon] = fuzz::PolygonOrigin(input);
    ReadPolygonFile(fuzz.doc, input, fuzz::kInputName, lat, lon);
    fuzz::UseDocument(fuzz.doc);
    return 0;
}
