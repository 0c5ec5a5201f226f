#pragma once

// CMainFrame: the editor's one main window around the view. Its menu bar,
// toolbar, accelerators and right-button menu are built from the command
// table; the status bar has the message pane and the rollpath width, scale
// and rotation panes. A 250 ms idle update asks the view, the document, the
// frame and the application which commands are enabled or checked and what
// the switching menu texts say. Closing the window saves the settings, then
// asks "Save changes?".

#include <QMainWindow>
#include <QPointer>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/RollpathDoc.h"
#include "settings/Settings.h"
#include "simdata/OpenAirport.h"
#include "ui/HelpWindow.h"
#include "view/CommandIds.h"
#include "view/RollpathView.h"

class QAction;
class QLabel;
class QMenu;
class QPrinter;
class QTimer;
class QToolBar;

namespace rollpath {

class AppCommands;
class CContextMenu;
class CLayoutChecksPanel;
class CViewWidget;
struct ScreenArea;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(CRollpathDoc& doc, MessageSink& messages, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The application object handles New, Open, Preferences, About and the
    // recent files; without it those commands are disabled.
    void SetApplication(AppCommands* app);

    CViewWidget& ViewWidget() { return *view_; }
    // The action of a command, or nullptr.
    QAction* Action(CommandId id) const;
    QMenu* ViewMenu() const { return viewMenu_; }
    QMenu* FileMenu() const { return fileMenu_; }
    QToolBar* ToolBar() const { return toolBar_; }
    CContextMenu& ContextMenu();
    QLabel* WidthPane() const { return widthPane_; }
    QLabel* ScalePane() const { return scalePane_; }
    QLabel* RotationPane() const { return rotationPane_; }
    // What the message pane shows now.
    QString MessagePaneText() const;
    // The four recent-file items, the first standing for "Recent File".
    const std::vector<QAction*>& RecentFileActions() const { return recentActions_; }
    CHelpWindow* HelpWindow() const { return helpWindow_.data(); }
    CLayoutChecksPanel& LayoutChecks() { return *checks_; }
    QAction* CheckLayoutAction() const { return checkLayoutAction_; }

    // The New command's dialog and load, shown in this window. True when an
    // airport was loaded.
    bool OpenAirport(OpenAirportDialog& dialog);
    // The New command with the Open Airport dialog.
    void OnFileNew();
    // After the document was emptied or refilled: the view starts over and
    // the title shows the airport (or "Untitled" when nothing opened).
    void OnDocumentChanged(bool opened);

    // What a command shows: enabled, checked, text. Commands nobody handles
    // are disabled.
    CommandUI QueryCommandUI(CommandId id) const;
    // Runs a command as its menu item would.
    void OnCommand(CommandId id);
    // The idle update: enabling, check marks, texts, recent files and panes.
    void UpdateActions();

    // The right-button menu of the view at a screen position.

    // The window's placement as the settings keep it (left, top, right,
    // bottom of the normal rectangle, also while maximised).
    WindowRect NormalWindowRect() const;
    void PlaceWindow(const WindowRect& rect);

    // Printing: the printer that Print, Print Preview and Print Setup share.
    QPrinter& Printer();
    ScreenArea ViewScreenArea() const;
    void OnFilePrint();
    void OnFilePrintPreview();
    void OnFilePrintSetup();
    void OnHelpTopics();
    // Tools > Check Layout (F7): shows the Layout Checks panel, checked now.
    void OnCheckLayout();
    // File > Import GeoJSON... and Export GeoJSON... once their file is
    // chosen (UTF-8 paths).
    void ImportGeoJsonFile(const std::string& path);
    void ExportGeoJsonFile(const std::string& path);
    QAction* ImportGeoJsonAction() const { return importGeoJsonAction_; }
    QAction* ExportGeoJsonAction() const { return exportGeoJsonAction_; }

    // Whether Shift is held down now (Save is enabled while it is).
    bool ShiftKeyDown() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QAction* CommandAction(CommandId id);
    void BuildMenus();
    void AddRecentFileItems(QMenu* menu);
    void BuildToolBar();
    void BuildStatusBar();
    void BuildFrameKeys();
    void BuildLayoutChecks(QMenu* tools);
    void BuildGeoJsonActions(QMenu* file);
    // After a Save: the checks' findings in the panel, and the errors among
    // them in the message pane.
    void ReportLayoutChecks();
    std::optional<CommandUI> FrameCommandUI(CommandId id) const;
    bool OnFrameCommand(CommandId id);
    void OnFileSave();
    void UpdateRecentFileItems();
    void UpdatePanes();
    void SetStatusValues(double rollpathWidth, long scale, double rotation);
    bool ReplaceViewMenuText(std::string_view from, std::string_view to);
    void UpdateTitle();

    CRollpathDoc& doc_;
    AppCommands* app_ = nullptr;
    CViewWidget* view_;
    QMenu* fileMenu_ = nullptr;
    QMenu* viewMenu_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    std::map<CommandId, QAction*> actions_;
    std::vector<QAction*> recentActions_;
    QLabel* idlePane_ = nullptr;
    QLabel* widthPane_ = nullptr;
    QLabel* scalePane_ = nullptr;
    QLabel* rotationPane_ = nullptr;
    QTimer* idleTimer_ = nullptr;
    QPointer<CHelpWindow> helpWindow_;
    CLayoutChecksPanel* checks_ = nullptr;
    QAction* checkLayoutAction_ = nullptr;
    QAction* importGeoJsonAction_ = nullptr;
    QAction* exportGeoJsonAction_ = nullptr;
    std::unique_ptr<QPrinter> printer_;
    std::string titleCode_;  // the airport in the title; empty for "Untitled"

    // The status values as the view last gave them.
    double m_dRollpathWidth = kDefaultRollpathWidth;
    long m_nScale = 0;
    double m_dRotation = 0.0;
};

}  // namespace rollpath
