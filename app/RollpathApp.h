#pragma once

// CRollpathApp: the editor's start-up. Loads the settings, applies the
// command line, shows the main frame and, at the end, saves the settings.

namespace rollpath {

// The whole run of the editor; the exit status.
int RunRollpathApp(int argc, char** argv);

}  // namespace rollpath
