// The airport diagram: a bitmap loaded and drawn whole and in part.

#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "view/Bmp.h"
#include "view/RecordingCanvas.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace rollpath;
    CBMP bitmap;
    int width = 0;
    int height = 0;
    std::string problem;
    if (bitmap.Load(std::span(data, size), width, height, problem) == 1) {
        RecordingCanvas canvas;
        bitmap.Draw(&canvas, 0, 0, 640, 480, 0, 0, width, height);
        bitmap.Draw(&canvas, -5, 7, 3, 2, width / 2, height / 3, width, height);
    }
    return 0;
}
