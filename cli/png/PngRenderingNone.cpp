#include "cli/PngRendering.h"

namespace rollpath::cli {

bool PngRenderingAvailable() {
    return false;
}

bool WritePngRendering(CRollpathView& /*view*/, DeviceSize /*size*/, const std::filesystem::path& /*path*/,
                       MessageSink& messages) {
    messages.Show("PNG output needs the build with Qt; write an .svg file instead");
    return false;
}

}  // namespace rollpath::cli
