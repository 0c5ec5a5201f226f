#pragma once

namespace rollpath {

// Registers the editor's resources (icons, cursors, the user guide), which
// live in a static library; harmless to call more than once.
void InitUiResources();

}  // namespace rollpath
