#pragma once

// "Open Project": the airports of the project list, sorted, the first one
// selected, and the safe-mode box.

#include <optional>
#include <string>
#include <vector>

#include "project/DocumentPipeline.h"
#include "view/dialogs/DialogHost.h"
#include "view/dialogs/DialogModel.h"

namespace rollpath {

class OpenProjectModel : public DialogModel {
public:
    static constexpr int kResource = 136;
    static constexpr int kList = 1023;
    static constexpr int kSafeMode = 1102;

    // The section names of the list (ReadProjectSections); they are shown
    // sorted. Names are kept whole, however long: the Open command refuses
    // one that is longer than an airport code with its own message.
    explicit OpenProjectModel(std::vector<std::string> sections);

    // What OK hands back: the selected entry (empty when none) and the
    // safe-mode state.
    OpenProjectChoice Choice() const;
};

// The Open command's dialog shown through a dialog host.
class HostedOpenProjectDialog : public OpenProjectDialog {
public:
    explicit HostedOpenProjectDialog(DialogHost& host) : m_Host(host) {}
    std::optional<OpenProjectChoice> Run(const std::vector<std::string>& sections) override;

private:
    DialogHost& m_Host;
};

}  // namespace rollpath
