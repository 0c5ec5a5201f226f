#pragma once

// "About Rollpath": the program's name and version.

#include "view/dialogs/DialogModel.h"

namespace rollpath {

inline constexpr const char* kProgramVersionText = "Rollpath Version 0.1.0";

class AboutModel : public DialogModel {
public:
    static constexpr int kResource = 100;
    static constexpr int kVersion = 1;
    static constexpr int kPurpose = 2;

    AboutModel();
};

}  // namespace rollpath
