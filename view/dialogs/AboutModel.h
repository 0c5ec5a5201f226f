#pragma once

// "About Rollpath": the program's name and version, the toolkit it runs on
// and the licence under which it uses that toolkit.

#include <string>

#include "view/dialogs/DialogModel.h"

namespace rollpath {

class AboutModel : public DialogModel {
public:
    static constexpr int kVersion = 1;
    static constexpr int kPurpose = 2;
    static constexpr int kToolkit = 3;
    static constexpr int kLicence = 4;

    // `toolkit` names the window toolkit and its version ("Qt 6.4.2").
    explicit AboutModel(const std::string& toolkit);
};

}  // namespace rollpath
