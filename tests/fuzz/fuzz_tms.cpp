// The pavement file reader.

#include <cstddef>
#include <cstdint>

#include "FuzzScenery.h"
#include "FuzzSupport.h"
#include "scenery/PavementFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace rollpath;
    const auto path = fuzz::Scratch() / "input.tms";
    fuzz::WriteInput(path, fuzz::Input(data, size));
    fuzz::FuzzDocument fuzz;
    ReadPavementFile(fuzz.doc, path);
    fuzz::UseDocument(fuzz.doc);
    return 0;
}
