#pragma once

// The view's right-button menu (resource 141), built from the command
// table. Which items are greyed is the view's decision, asked through its
// update query each time the menu opens; a command the view does not handle
// is greyed.

#include <QMenu>
#include <map>
#include <optional>

#include "view/CommandIds.h"

namespace rollpath {

class CRollpathView;

class CContextMenu : public QMenu {
    Q_OBJECT
public:
    CContextMenu(CRollpathView& view, QWidget* parent = nullptr);

    QAction* Action(CommandId id) const;
    // Enables the items as the view says.
    void UpdateItems();
    // Shows the menu at a screen position and runs the chosen command on the
    // view. The command chosen, if any.
    std::optional<CommandId> Track(const QPoint& globalPos);
    // Shows the menu without waiting; a chosen item runs its command.
    void Popup(const QPoint& globalPos);

private:
    CRollpathView& view_;
    std::map<CommandId, QAction*> actions_;
};

// The part of a prompt shown in the message pane (before the line feed).
QString MessagePromptOf(const CommandInfo& info);
// The part shown as a toolbar tooltip (after the line feed).
QString TooltipOf(const CommandInfo& info);

}  // namespace rollpath
