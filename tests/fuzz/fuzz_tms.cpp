// The pavement file reader.

#include <cstddef>
#include <cstdint>

#include "FuzzScenery.h"
#include "FuzzSupport.h"
#include "scenery/PavementFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace rollpath;
    auto& fuzz = fuzz::FreshDocument();
    ReadPavementFile(fuzz.doc, std::span(data, size), fuzz::kInputName);
    fuzz::UseDocument(fuzz.doc);
    return 0;
}
