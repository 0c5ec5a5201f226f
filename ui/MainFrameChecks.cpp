// The main frame's part in the layout checks: Tools > Check Layout (F7),
// the dockable panel with its count in the status bar, its refresh in the
// idle update, and the report after a Save.

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>

#include "checks/LayoutChecks.h"
#include "ui/LayoutChecksPanel.h"
#include "ui/MainFrame.h"
#include "ui/ViewWidget.h"

namespace rollpath {

namespace {

constexpr const char* kCheckLayoutText = "Check &Layout";
constexpr const char* kCheckLayoutPrompt = "Check the layout for what the simulator would show wrong";

QString SavedWithErrorsText(int errors) {
    return QStringLiteral("Saved with %1 layout %2: see Tools > Check Layout (F7)")
        .arg(errors)
        .arg(errors == 1 ? QStringLiteral("error") : QStringLiteral("errors"));
}

}  // namespace

void CMainFrame::BuildLayoutChecks(QMenu* tools) {
    checks_ = new CLayoutChecksPanel(doc_, view_->View(), this);
    addDockWidget(Qt::BottomDockWidgetArea, checks_);
    checks_->hide();
    statusBar()->insertPermanentWidget(0, checks_->CountLabel());

    checkLayoutAction_ = new QAction(QString::fromLatin1(kCheckLayoutText), this);
    checkLayoutAction_->setShortcut(QKeySequence(Qt::Key_F7));
    checkLayoutAction_->setStatusTip(QString::fromLatin1(kCheckLayoutPrompt));
    connect(checkLayoutAction_, &QAction::triggered, this, &CMainFrame::OnCheckLayout);
    tools->addSeparator();
    tools->addAction(checkLayoutAction_);
}

void CMainFrame::OnCheckLayout() {
    if (doc_.m_bAirportLoaded == 0) {
        return;
    }
    checks_->show();
    checks_->raise();
    checks_->Refresh();
}

void CMainFrame::ReportLayoutChecks() {
    if (doc_.m_bAirportLoaded == 0) {
        return;
    }
    std::vector<Finding> findings = RunLayoutChecks(doc_, EnabledChecks(doc_.GetSettings().DisabledChecks));
    const int errors = CountFindings(findings).errors;
    checks_->ShowFindings(std::move(findings));
    if (errors > 0) {
        statusBar()->showMessage(SavedWithErrorsText(errors));
    }
}

}  // namespace rollpath
