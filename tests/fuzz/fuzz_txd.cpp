// The side file reader. The side file only adds attributes to what a network
// file created, so the input carries both: a 32-bit little-endian length, that
// many bytes of network file, then the side file.

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "FuzzScenery.h"
#include "FuzzSupport.h"
#include "simdata/LittleEndian.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace rollpath;
    const auto input = std::span(data, size);
    if (input.size() < 4) {
        return 0;
    }
    const auto rest = input.subspan(4);
    const auto network = rest.first(std::min<std::size_t>(UInt32At(input, 0), rest.size()));
    auto& fuzz = fuzz::FreshDocument();
    const auto [lat, lon] = fuzz::NetworkOrigin(network);
    ReadNetworkFile(fuzz.doc, network, "pair.bgr", lat, lon);
    ReadSideFile(fuzz.doc, rest.subspan(network.size()), "pair.txd");
    fuzz::UseDocument(fuzz.doc);
    return 0;
}
