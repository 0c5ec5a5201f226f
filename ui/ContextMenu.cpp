#include "ui/ContextMenu.h"

#include "ui/AnsiQt.h"
#include "view/RollpathView.h"

namespace rollpath {

QString MessagePromptOf(const CommandInfo& info) {
    const std::string_view prompt = info.prompt;
    return FromAnsi(prompt.substr(0, prompt.find('\n')));
}

QString TooltipOf(const CommandInfo& info) {
    const std::string_view prompt = info.prompt;
    const std::size_t newline = prompt.find('\n');
    return newline == std::string_view::npos ? QString() : FromAnsi(prompt.substr(newline + 1));
}

CContextMenu::CContextMenu(CRollpathView& view, QWidget* parent) : QMenu(parent), view_(view) {
    for (const CommandId id : ContextMenuLayout()) {
        const CommandInfo* info = FindCommand(id);
        if (info == nullptr) {
            continue;
        }
        QAction* action = addAction(FromAnsi(info->menuText));
        action->setStatusTip(MessagePromptOf(*info));
        action->setData(static_cast<int>(id));
        actions_[id] = action;
    }
    connect(this, &QMenu::triggered, this,
            [this](QAction* action) { view_.OnCommand(static_cast<CommandId>(action->data().toInt())); });
}

QAction* CContextMenu::Action(CommandId id) const {
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

void CContextMenu::UpdateItems() {
    for (const auto& [id, action] : actions_) {
        const std::optional<CommandUI> ui = view_.UpdateCommandUI(id);
        action->setEnabled(ui && ui->enabled);
    }
}

std::optional<CommandId> CContextMenu::Track(const QPoint& globalPos) {
    UpdateItems();
    QAction* chosen = exec(globalPos);
    if (chosen == nullptr || !chosen->isEnabled()) {
        return std::nullopt;
    }
    // The menu's triggered signal has run the command.
    return static_cast<CommandId>(chosen->data().toInt());
}

void CContextMenu::Popup(const QPoint& globalPos) {
    UpdateItems();
    popup(globalPos);
}

}  // namespace rollpath
