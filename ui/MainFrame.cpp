#include "ui/MainFrame.h"

#include "project/DocumentPipeline.h"

#include <QAction>
#include <QFontMetrics>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

#include "ui/AnsiQt.h"
#include "ui/OpenAirportQtDialog.h"
#include "ui/ViewWidget.h"
#include "view/StatusPanes.h"

namespace rollpath {

namespace {

constexpr int kIdleUpdateMs = 250;
// Menu texts are compared as far as a 64-byte buffer holds them.
constexpr int kMenuTextLength = 63;

// The part of a prompt shown in the message pane (before the line feed).
QString PromptOf(const CommandInfo& info) {
    const std::string_view prompt = info.prompt;
    return FromAnsi(prompt.substr(0, prompt.find('\n')));
}

QLabel* Pane(QWidget* parent, const char* indicator) {
    auto* label = new QLabel(parent);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(QFontMetrics(label->font()).horizontalAdvance(FromAnsi(indicator)) + 8);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return label;
}

}  // namespace

CMainFrame::CMainFrame(CRollpathDoc& doc, MessageSink& messages, QWidget* parent)
    : QMainWindow(parent), doc_(doc), view_(new CViewWidget(doc, messages, this)) {
    setWindowTitle(QStringLiteral("Rollpath"));
    setCentralWidget(view_);
    view_->SetMenuTextReplacer(
        [this](std::string_view from, std::string_view to) { return ReplaceViewMenuText(from, to); });
    BuildMenus();
    BuildStatusBar();
    connect(view_, &CViewWidget::StatusValuesChanged, this, &CMainFrame::ShowStatusValues);
    connect(view_, &CViewWidget::StatusPromptChanged, this,
            [this](const QString& text) { statusBar()->showMessage(text); });
    auto* idle = new QTimer(this);
    connect(idle, &QTimer::timeout, this, &CMainFrame::UpdateActions);
    idle->start(kIdleUpdateMs);
    view_->View().OnInitialUpdate();
    view_->setFocus();
    UpdateActions();
}

QAction* CMainFrame::AddCommand(QMenu* menu, CommandId id) {
    const CommandInfo* info = FindCommand(id);
    if (info == nullptr) {
        return nullptr;
    }
    auto* action = new QAction(FromAnsi(info->menuText), this);
    action->setStatusTip(PromptOf(*info));
    QList<QKeySequence> keys;
    for (const Accelerator& a : Accelerators()) {
        if (a.id == id) {
            keys.append(
                QKeySequence(QString::fromLatin1(a.keys.data(), static_cast<qsizetype>(a.keys.size()))));
        }
    }
    action->setShortcuts(keys);
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    menu->addAction(action);
    actions_[id] = action;
    return action;
}

void CMainFrame::BuildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    AddCommand(file, CommandId::FileNew);
    file->addSeparator();
    AddCommand(file, CommandId::AppExit);

    viewMenu_ = menuBar()->addMenu(FromAnsi(kViewMenuTitle));
    for (const CommandId id : kViewMenuCommands) {
        if (id == CommandId::Separator) {
            viewMenu_->addSeparator();
        } else if (id != CommandId::ViewToolbar && id != CommandId::ViewStatusBar) {
            AddCommand(viewMenu_, id);
        }
    }
    for (QMenu* menu : {file, viewMenu_}) {
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateActions);
    }
}

void CMainFrame::BuildStatusBar() {
    widthPane_ = Pane(this, kWidthPaneIndicator);
    scalePane_ = Pane(this, kScalePaneIndicator);
    rotationPane_ = Pane(this, kRotationPaneIndicator);
    statusBar()->addPermanentWidget(widthPane_);
    statusBar()->addPermanentWidget(scalePane_);
    statusBar()->addPermanentWidget(rotationPane_);
    ShowStatusValues(kDefaultRollpathWidth, 0, 0.0);
}

QAction* CMainFrame::Action(CommandId id) const {
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

void CMainFrame::ShowStatusValues(double rollpathWidth, long scale, double rotation) {
    widthPane_->setText(FromAnsi(WidthPaneText(rollpathWidth)));
    scalePane_->setText(FromAnsi(ScalePaneText(scale)));
    rotationPane_->setText(FromAnsi(RotationPaneText(rotation)));
}

void CMainFrame::OnCommand(CommandId id) {
    switch (id) {
        case CommandId::FileNew:
            OnFileNew();
            break;
        case CommandId::AppExit:
            close();
            break;
        default:
            view_->View().OnCommand(id);
            break;
    }
    UpdateActions();
}

void CMainFrame::OnFileNew() {
    OpenAirportQtDialog dialog(this);
    OpenAirport(dialog);
}

// The New command, reading back the airport's saved files.
bool CMainFrame::OpenAirport(OpenAirportDialog& dialog) {
    bool asked = false;
    struct Recording : OpenAirportDialog {
        OpenAirportDialog& inner;
        bool& asked;
        Recording(OpenAirportDialog& d, bool& a) : inner(d), asked(a) {}
        std::optional<OpenAirportChoice> Run() override {
            auto choice = inner.Run();
            asked = choice.has_value();
            return choice;
        }
    } recording(dialog, asked);
    NewDocument(doc_, recording, false);
    if (!asked) {
        return false;
    }
    view_->View().OnInitialUpdate();
    setWindowTitle(doc_.m_szCode.empty() ? QStringLiteral("Rollpath")
                                         : FromAnsi(doc_.m_szCode) + QStringLiteral(" - Rollpath"));
    UpdateActions();
    return true;
}

void CMainFrame::UpdateActions() {
    for (const auto& [id, action] : actions_) {
        const std::optional<CommandUI> ui = view_->View().UpdateCommandUI(id);
        if (!ui) {
            continue;
        }
        action->setEnabled(ui->enabled);
        if (ui->checked) {
            action->setCheckable(true);
            action->setChecked(*ui->checked);
        }
        if (ui->text) {
            action->setText(FromAnsi(*ui->text));
        }
    }
}

bool CMainFrame::ReplaceViewMenuText(std::string_view from, std::string_view to) {
    const QString wanted = FromAnsi(from).left(kMenuTextLength);
    for (QAction* top : menuBar()->actions()) {
        if (top->menu() == nullptr || top->text().left(kMenuTextLength) != FromAnsi(kViewMenuTitle)) {
            continue;
        }
        for (QAction* item : top->menu()->actions()) {
            if (item->text().left(kMenuTextLength) == wanted) {
                item->setText(FromAnsi(to));
                return true;
            }
        }
        return false;
    }
    return false;
}

}  // namespace rollpath
