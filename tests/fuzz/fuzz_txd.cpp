// The side file reader. The side file only adds attributes to what a network
// file created, so the input carries both: a 32-bit little-endian length, that
// many bytes of network file, then the side file.

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
    const std::size_t declared = UInt32At(input, 0);
    const auto rest = input.subspan(4);
    const std::size_t networkSize = declared < rest.size() ? declared : rest.size();
    const auto network = rest.first(networkSize);
    auto& fuzz = fuzz::FreshDocument();
    const auto [lat, lon] = fuzz::NetworkOrigin(network);
    ReadNetworkFile(fuzz.doc, network, "pair.bgr", lat, lon);
    ReadSideFile(fuzz.doc, rest.subspan(networkSize), "pair.txd");
    fuzz::UseDocument(fuzz.doc);
    return 0;
}
