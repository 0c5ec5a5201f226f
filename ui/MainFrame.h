#pragma once

// CMainFrame, first version: the window around the view with the File New
// and Exit commands, the View menu (display toggles, zoom, rotation) and the
// status bar's value panes. Menus are built from the command table.

#include <QMainWindow>
#include <map>
#include <string>

#include "document/RollpathDoc.h"
#include "simdata/OpenAirport.h"
#include "view/CommandIds.h"

class QAction;
class QLabel;
class QMenu;

namespace rollpath {

class CViewWidget;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(CRollpathDoc& doc, MessageSink& messages, QWidget* parent = nullptr);

    CViewWidget& ViewWidget() { return *view_; }
    // The action of a command, or nullptr.
    QAction* Action(CommandId id) const;
    QMenu* ViewMenu() const { return viewMenu_; }
    QLabel* WidthPane() const { return widthPane_; }
    QLabel* ScalePane() const { return scalePane_; }
    QLabel* RotationPane() const { return rotationPane_; }

    // Opens an airport with the choice a dialog returned and shows it. False
    // when the dialog was cancelled.
    bool OpenAirport(OpenAirportDialog& dialog);
    // The New command: asks for the airport in the Open Airport dialog.
    void OnFileNew();
    // Enables and checks the actions as the view says.
    void UpdateActions();

private:
    QAction* AddCommand(QMenu* menu, CommandId id);
    void BuildMenus();
    void BuildStatusBar();
    void OnCommand(CommandId id);
    void ShowStatusValues(double rollpathWidth, long scale, double rotation);
    bool ReplaceViewMenuText(std::string_view from, std::string_view to);

    CRollpathDoc& doc_;
    CViewWidget* view_;
    QMenu* viewMenu_ = nullptr;
    std::map<CommandId, QAction*> actions_;
    QLabel* widthPane_ = nullptr;
    QLabel* scalePane_ = nullptr;
    QLabel* rotationPane_ = nullptr;
};

}  // namespace rollpath
