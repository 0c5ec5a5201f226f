#include "view/dialogs/OpenProjectModel.h"

#include "document/ProjectList.h"

namespace rollpath {

OpenProjectModel::OpenProjectModel(std::vector<std::string> sections)
    : DialogModel("Open Project", kResource) {
    SortProjectSections(sections);
    DialogControl& list = AddList(kList, "Airports", std::move(sections));
    list.selected = list.items.empty() ? -1 : 0;
    AddCheck(kSafeMode, "&No polygons (safe mode)", false);
}

OpenProjectChoice OpenProjectModel::Choice() const {
    OpenProjectChoice choice;
    const DialogControl* list = Find(kList);
    if (list != nullptr && list->selected >= 0 &&
        static_cast<std::size_t>(list->selected) < list->items.size()) {
        choice.code = list->items[static_cast<std::size_t>(list->selected)];
    }
    choice.safeMode = IsChecked(kSafeMode);
    return choice;
}

std::optional<OpenProjectChoice> HostedOpenProjectDialog::Run(const std::vector<std::string>& sections) {
    OpenProjectModel model(sections);
    if (!m_Host.RunDialog(model)) {
        return std::nullopt;
    }
    return model.Choice();
}

}  // namespace rollpath
