#include "ui/MainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <filesystem>

#include "project/DocumentPipeline.h"
#include "ui/AnsiQt.h"
#include "ui/AppCommands.h"
#include "ui/ContextMenu.h"
#include "ui/HelpWindow.h"
#include "ui/LayoutChecksPanel.h"
#include "ui/OpenAirportQtDialog.h"
#include "ui/RecentFileList.h"
#include "ui/UiResources.h"
#include "ui/ViewPrinting.h"
#include "ui/ViewWidget.h"
#include "view/StatusPanes.h"

namespace rollpath {

namespace {

constexpr int kIdleUpdateMs = 250;
// Menu texts are compared as far as a 64-byte buffer holds them.
constexpr int kMenuTextLength = 63;
constexpr QSize kToolBarIconSize(16, 15);
constexpr const char* kIdleMessage = "For Help, press F1";
constexpr const char* kAppTitle = "Rollpath";
constexpr const char* kUntitled = "Untitled";

QLabel* Pane(QWidget* parent, const char* indicator, int id) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::number(id));
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(QFontMetrics(label->font()).horizontalAdvance(FromAnsi(indicator)) + 8);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return label;
}

QString ToolBarIconPath(const CommandInfo& info) {
    return QStringLiteral(":/toolbar/") +
           QString::fromLatin1(info.name.data(), static_cast<qsizetype>(info.name.size())) +
           QStringLiteral(".xpm");
}

}  // namespace

CMainFrame::CMainFrame(CRollpathDoc& doc, MessageSink& messages, QWidget* parent)
    : QMainWindow(parent), doc_(doc), view_(new CViewWidget(doc, messages, this)) {
    InitUiResources();
    setWindowIcon(QIcon(QStringLiteral(":/icons/rollpath.xpm")));
    setCentralWidget(view_);
    setAcceptDrops(true);
    view_->SetMenuTextReplacer(
        [this](std::string_view from, std::string_view to) { return ReplaceViewMenuText(from, to); });
    BuildMenus();
    BuildToolBar();
    BuildStatusBar();
    BuildFrameKeys();
    connect(view_, &CViewWidget::StatusValuesChanged, this, &CMainFrame::SetStatusValues);
    connect(view_, &CViewWidget::StatusPromptChanged, this,
            [this](const QString& text) { statusBar()->showMessage(text); });
    idleTimer_ = new QTimer(this);
    connect(idleTimer_, &QTimer::timeout, this, &CMainFrame::UpdateActions);
    // The checks follow edits on the idle timer alone, not on every command.
    connect(idleTimer_, &QTimer::timeout, checks_, &CLayoutChecksPanel::OnIdle);
    idleTimer_->start(kIdleUpdateMs);
    view_->View().OnInitialUpdate();
    view_->setFocus();
    UpdateTitle();
    UpdateActions();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::SetApplication(AppCommands* app) {
    app_ = app;
    UpdateActions();
}

// --- Building -----------------------------------------------------------------

QAction* CMainFrame::CommandAction(CommandId id) {
    if (QAction* existing = Action(id)) {
        return existing;
    }
    const CommandInfo* info = FindCommand(id);
    if (info == nullptr) {
        return nullptr;
    }
    auto* action = new QAction(FromAnsi(info->menuText), this);
    action->setData(static_cast<int>(id));
    action->setStatusTip(MessagePromptOf(*info));
    if (const QString tip = TooltipOf(*info); !tip.isEmpty()) {
        action->setToolTip(tip);
    }
    QList<QKeySequence> keys;
    for (const Accelerator& a : Accelerators()) {
        if (a.id == id) {
            keys.append(
                QKeySequence(QString::fromLatin1(a.keys.data(), static_cast<qsizetype>(a.keys.size()))));
        }
    }
    action->setShortcuts(keys);
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    actions_[id] = action;
    return action;
}

void CMainFrame::BuildMenus() {
    for (const MenuPopup& popup : MenuBarLayout()) {
        QMenu* menu = menuBar()->addMenu(FromAnsi(popup.title));
        for (const CommandId id : popup.items) {
            if (id == CommandId::Separator) {
                menu->addSeparator();
            } else if (id == CommandId::RecentFile) {
                AddRecentFileItems(menu);
            } else if (QAction* action = CommandAction(id)) {
                menu->addAction(action);
            }
        }
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateActions);
        if (popup.title == "&File") {
            fileMenu_ = menu;
            BuildGeoJsonActions(menu);
        } else if (popup.title == kViewMenuTitle) {
            viewMenu_ = menu;
        } else if (popup.title == "&Tools") {
            BuildLayoutChecks(menu);
        }
    }
}

// The recent files take the place of the "Recent File" item: the first item
// is that command, shown greyed while the list is empty; the other three
// appear as the list fills.
void CMainFrame::AddRecentFileItems(QMenu* menu) {
    const CommandInfo* info = FindCommand(CommandId::RecentFile);
    for (std::size_t i = 0; i < RecentFileList::kSize; ++i) {
        QAction* action = i == 0 ? CommandAction(CommandId::RecentFile) : new QAction(this);
        if (i > 0) {
            action->setData(static_cast<int>(CommandId::RecentFile) + static_cast<int>(i));
            action->setStatusTip(MessagePromptOf(*info));
            action->setVisible(false);
            connect(action, &QAction::triggered, this, [this, i] {
                if (app_ != nullptr) {
                    app_->OpenRecentFile(i);
                }
                UpdateActions();
            });
        }
        menu->addAction(action);
        recentActions_.push_back(action);
    }
}

void CMainFrame::BuildToolBar() {
    toolBar_ = new QToolBar(QStringLiteral("Toolbar"), this);
    toolBar_->setObjectName(QStringLiteral("128"));
    toolBar_->setIconSize(kToolBarIconSize);
    toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
    toolBar_->setMovable(true);
    toolBar_->setFloatable(true);
    for (const CommandId id : ToolbarLayout()) {
        if (id == CommandId::Separator) {
            toolBar_->addSeparator();
            continue;
        }
        QAction* action = CommandAction(id);
        const CommandInfo* info = FindCommand(id);
        if (action == nullptr || info == nullptr) {
            continue;
        }
        action->setIcon(QIcon(ToolBarIconPath(*info)));
        action->setIconVisibleInMenu(false);
        toolBar_->addAction(action);
    }
    addToolBar(Qt::TopToolBarArea, toolBar_);
    setDockOptions(dockOptions() | QMainWindow::AllowTabbedDocks);
}

void CMainFrame::BuildStatusBar() {
    idlePane_ = new QLabel(QString::fromLatin1(kIdleMessage), this);
    statusBar()->addWidget(idlePane_, 1);
    widthPane_ = Pane(this, kWidthPaneIndicator, 104);
    scalePane_ = Pane(this, kScalePaneIndicator, 102);
    rotationPane_ = Pane(this, kRotationPaneIndicator, 103);
    statusBar()->addPermanentWidget(widthPane_);
    statusBar()->addPermanentWidget(scalePane_);
    statusBar()->addPermanentWidget(rotationPane_);
}

// The framework's help and pane keys: F1 and Shift+F1 open the help, F6 and
// Shift+F6 move the focus to the view, the only pane.
void CMainFrame::BuildFrameKeys() {
    auto* help = new QAction(this);
    help->setShortcuts({QKeySequence(Qt::Key_F1), QKeySequence(Qt::SHIFT | Qt::Key_F1)});
    connect(help, &QAction::triggered, this, &CMainFrame::OnHelpTopics);
    addAction(help);
    auto* pane = new QAction(this);
    pane->setShortcuts({QKeySequence(Qt::Key_F6), QKeySequence(Qt::SHIFT | Qt::Key_F6)});
    connect(pane, &QAction::triggered, this, [this] { view_->setFocus(); });
    addAction(pane);
}

QAction* CMainFrame::Action(CommandId id) const {
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

QString CMainFrame::MessagePaneText() const {
    const QString message = statusBar()->currentMessage();
    return message.isEmpty() ? idlePane_->text() : message;
}

// --- Command routing: the view first, then the frame and the document, then
// the application ------------------------------------------------------------

std::optional<CommandUI> CMainFrame::FrameCommandUI(CommandId id) const {
    switch (id) {
        case CommandId::FileSave:
            // Shift saves even an unmodified document, but there must be an
            // airport: an empty document has no files to write.
            return CommandUI{doc_.m_bAirportLoaded != 0 && (doc_.IsModified() || ShiftKeyDown()),
                             std::nullopt, std::nullopt};
        case CommandId::FilePrint:
        case CommandId::FilePrintPreview:
        case CommandId::FilePrintSetup:
        case CommandId::AppExit:
        case CommandId::HelpTopics:
            return CommandUI{true, std::nullopt, std::nullopt};
        case CommandId::ViewToolbar:
            return CommandUI{true, toolBar_->isVisibleTo(this), std::nullopt};
        case CommandId::ViewStatusBar:
            return CommandUI{true, statusBar()->isVisibleTo(this), std::nullopt};
        default:
            return std::nullopt;
    }
}

CommandUI CMainFrame::QueryCommandUI(CommandId id) const {
    if (std::optional<CommandUI> ui = view_->View().UpdateCommandUI(id)) {
        return *ui;
    }
    if (std::optional<CommandUI> ui = FrameCommandUI(id)) {
        return *ui;
    }
    if (app_ != nullptr) {
        if (std::optional<CommandUI> ui = app_->UpdateAppCommandUI(id)) {
            return *ui;
        }
    }
    return CommandUI{};
}

bool CMainFrame::OnFrameCommand(CommandId id) {
    switch (id) {
        case CommandId::FileSave:
            OnFileSave();
            return true;
        case CommandId::FilePrint:
            OnFilePrint();
            return true;
        case CommandId::FilePrintPreview:
            OnFilePrintPreview();
            return true;
        case CommandId::FilePrintSetup:
            OnFilePrintSetup();
            return true;
        case CommandId::AppExit:
            close();
            return true;
        case CommandId::HelpTopics:
            OnHelpTopics();
            return true;
        case CommandId::ViewToolbar:
            toolBar_->setVisible(!toolBar_->isVisibleTo(this));
            return true;
        case CommandId::ViewStatusBar:
            statusBar()->setVisible(!statusBar()->isVisibleTo(this));
            return true;
        default:
            return false;
    }
}

void CMainFrame::OnCommand(CommandId id) {
    // A key can reach a command whose item was enabled at the last update
    // but no longer is.
    if (!QueryCommandUI(id).enabled) {
        UpdateActions();
        return;
    }
    if (!view_->View().OnCommand(id) && !OnFrameCommand(id) && app_ != nullptr) {
        app_->OnAppCommand(id);
    }
    UpdateActions();
}

void CMainFrame::OnFileSave() {
    Save(doc_);
    view_->View().OnDocumentSaved();
    ReportLayoutChecks();
}

void CMainFrame::OnFileNew() {
    OpenAirportQtDialog dialog(this);
    OpenAirport(dialog);
}

bool CMainFrame::OpenAirport(OpenAirportDialog& dialog) {
    // Until the new airport has opened the document stays as it was.
    const bool loaded = NewDocument(doc_, dialog, false);
    if (loaded) {
        OnDocumentChanged(true);
    }
    return loaded;
}

void CMainFrame::OnDocumentChanged(bool opened) {
    // The view starts over: the records it pointed at are gone.
    view_->View().OnInitialUpdate();
    titleCode_ = opened ? doc_.m_szCode : std::string();
    UpdateTitle();
    UpdateActions();
}

// "[*]" stands where the window shows that there are unsaved changes.
void CMainFrame::UpdateTitle() {
    const QString name = titleCode_.empty() ? QString::fromLatin1(kUntitled) : FromAnsi(titleCode_);
    setWindowTitle(name + QStringLiteral("[*] - ") + QString::fromLatin1(kAppTitle));
    setWindowModified(doc_.IsModified());
}

// --- The idle update -------------------------------------------------------

void CMainFrame::UpdateActions() {
    for (const auto& [id, action] : actions_) {
        if (id == CommandId::RecentFile) {
            continue;
        }
        const CommandUI ui = QueryCommandUI(id);
        action->setEnabled(ui.enabled);
        if (ui.checked) {
            action->setCheckable(true);
            action->setChecked(*ui.checked);
        }
        if (ui.text) {
            action->setText(FromAnsi(*ui.text));
        }
    }
    UpdateRecentFileItems();
    UpdatePanes();
    for (QAction* action : {checkLayoutAction_, importGeoJsonAction_, exportGeoJsonAction_}) {
        if (action != nullptr) {
            action->setEnabled(doc_.m_bAirportLoaded != 0);
        }
    }
    setWindowModified(doc_.IsModified());
}

void CMainFrame::UpdateRecentFileItems() {
    const std::vector<std::string> files = app_ != nullptr ? app_->RecentFiles() : std::vector<std::string>{};
    const CommandInfo* info = FindCommand(CommandId::RecentFile);
    for (std::size_t i = 0; i < recentActions_.size(); ++i) {
        QAction* action = recentActions_[i];
        if (i < files.size()) {
            action->setText(FromAnsi(RecentFileList::MenuText(i, files[i])));
            action->setEnabled(true);
            action->setVisible(true);
        } else if (i == 0) {
            action->setText(FromAnsi(info->menuText));
            action->setEnabled(false);
            action->setVisible(true);
        } else {
            action->setVisible(false);
        }
    }
}

void CMainFrame::SetStatusValues(double rollpathWidth, long scale, double rotation) {
    m_dRollpathWidth = rollpathWidth;
    m_nScale = scale;
    m_dRotation = rotation;
    UpdatePanes();
}

void CMainFrame::UpdatePanes() {
    widthPane_->setText(FromAnsi(WidthPaneText(m_dRollpathWidth)));
    scalePane_->setText(FromAnsi(ScalePaneText(m_nScale)));
    rotationPane_->setText(FromAnsi(RotationPaneText(m_dRotation)));
}

bool CMainFrame::ShiftKeyDown() const {
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
}

bool CMainFrame::ReplaceViewMenuText(std::string_view from, std::string_view to) {
    if (viewMenu_ == nullptr) {
        return false;
    }
    const QString wanted = FromAnsi(from).left(kMenuTextLength);
    for (QAction* item : viewMenu_->actions()) {
        if (item->text().left(kMenuTextLength) == wanted) {
            item->setText(FromAnsi(to));
            return true;
        }
    }
    return false;
}

CContextMenu& CMainFrame::ContextMenu() {
    return view_->ContextMenu();
}

// --- Placement ---------------------------------------------------------------

WindowRect CMainFrame::NormalWindowRect() const {
    const QRect g = normalGeometry().isValid() ? normalGeometry() : geometry();
    return WindowRect{g.left(), g.top(), g.right() + 1, g.bottom() + 1};
}

void CMainFrame::PlaceWindow(const WindowRect& r) {
    setGeometry(QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)));
}

// --- Closing and dropped files ---------------------------------------------

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (app_ != nullptr) {
        app_->OnMainFrameClose();
    }
    if (!SaveModified(doc_)) {
        event->ignore();
        return;
    }
    if (helpWindow_ != nullptr) {
        helpWindow_->close();
    }
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (app_ != nullptr && event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

// A dropped file opens as a recent file would: its title is the code.
void CMainFrame::dropEvent(QDropEvent* event) {
    if (app_ == nullptr) {
        return;
    }
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            app_->OpenDocumentFile(url.toLocalFile().toStdString());
            UpdateActions();
            return;
        }
    }
}

// --- Printing and help -------------------------------------------------------

QPrinter& CMainFrame::Printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    return *printer_;
}

ScreenArea CMainFrame::ViewScreenArea() const {
    const DeviceSize size = view_->ClientSize();
    return ScreenArea{QSize(size.width, size.height), view_->LogicalDpiX(), view_->LogicalDpiY()};
}

void CMainFrame::OnFilePrint() {
    QPrintDialog dialog(&Printer(), this);
    if (dialog.exec() == QDialog::Accepted) {
        PrintView(view_->View(), ViewScreenArea(), Printer());
    }
}

void CMainFrame::OnFilePrintPreview() {
    QPrintPreviewDialog preview(&Printer(), this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { PrintView(view_->View(), ViewScreenArea(), *printer); });
    preview.exec();
}

void CMainFrame::OnFilePrintSetup() {
    QPageSetupDialog dialog(&Printer(), this);
    dialog.exec();
}

void CMainFrame::OnHelpTopics() {
    if (helpWindow_ == nullptr) {
        helpWindow_ = new CHelpWindow(this);
        helpWindow_->setAttribute(Qt::WA_DeleteOnClose);
    }
    helpWindow_->show();
    helpWindow_->raise();
    helpWindow_->activateWindow();
}

}  // namespace rollpath
