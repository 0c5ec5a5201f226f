#pragma once

// Drawing the view into an image file: SVG always, PNG when the build has
// QtGui.

#include <filesystem>

#include "document/MessageSink.h"
#include "view/RollpathView.h"

namespace rollpath::cli {

// Draws the view as SVG of the client size (at 96 dpi) and writes it through
// a temporary file. False, with a message, when it cannot.
bool WriteSvgRendering(CRollpathView& view, DeviceSize size, const std::filesystem::path& path,
                       MessageSink& messages);

// False when this build cannot write PNG files.
bool PngRenderingAvailable();

// Draws the view on a white image of the client size (at 96 dpi) and writes
// it through a temporary file. False, with a message, when it cannot.
bool WritePngRendering(CRollpathView& view, DeviceSize size, const std::filesystem::path& path,
                       MessageSink& messages);

}  // namespace rollpath::cli
