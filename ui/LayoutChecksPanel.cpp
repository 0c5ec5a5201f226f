#include "ui/LayoutChecksPanel.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTableWidget>

#include "checks/LayoutFingerprint.h"
#include "ui/AnsiQt.h"

namespace rollpath {

namespace {

enum Column { kSeverityColumn, kIdColumn, kMessageColumn };

QTableWidgetItem* Cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

}  // namespace

CLayoutChecksPanel::CLayoutChecksPanel(CRollpathDoc& doc, CRollpathView& view, QWidget* parent)
    : QDockWidget(QStringLiteral("Layout Checks"), parent),
      doc_(doc),
      view_(view),
      table_(new QTableWidget(0, 3, this)),
      countLabel_(new QLabel) {
    setObjectName(QStringLiteral("LayoutChecks"));
    table_->setHorizontalHeaderLabels({QString(), QStringLiteral("Check"), QStringLiteral("Message")});
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->horizontalHeader()->setSectionResizeMode(kSeverityColumn, QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(kIdColumn, QHeaderView::ResizeToContents);
    table_->verticalHeader()->hide();
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    setWidget(table_);
    countLabel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    countLabel_->hide();
    // The count stands for the table: it goes with the panel.
    connect(this, &QDockWidget::visibilityChanged, this,
            [this](bool visible) { countLabel_->setVisible(visible && shown_.has_value()); });
    connect(table_, &QTableWidget::cellClicked, this, [this](int row, int) { SelectRow(row); });
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { OpenRow(row); });
}

void CLayoutChecksPanel::Refresh() {
    ShowFindings(RunLayoutChecks(doc_, EnabledChecks(doc_.GetSettings().DisabledChecks)));
}

void CLayoutChecksPanel::ShowFindings(std::vector<Finding> findings) {
    findings_ = std::move(findings);
    shown_ = LayoutFingerprint(doc_);
    pending_.reset();
    table_->setRowCount(static_cast<int>(findings_.size()));
    const QIcon error = QApplication::style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warning = QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (int row = 0; row < static_cast<int>(findings_.size()); ++row) {
        const Finding& f = findings_[static_cast<std::size_t>(row)];
        const bool isError = f.severity == Severity::Error;
        QTableWidgetItem* severity = Cell(QString());
        severity->setIcon(isError ? error : warning);
        severity->setToolTip(QString::fromLatin1(SeverityName(f.severity)));
        table_->setItem(row, kSeverityColumn, severity);
        const std::string_view id = InfoOf(f.check).id;
        table_->setItem(row, kIdColumn,
                        Cell(QString::fromLatin1(id.data(), static_cast<qsizetype>(id.size()))));
        table_->setItem(row, kMessageColumn, Cell(FromAnsi(f.message)));
    }
    countLabel_->setText(QString::fromStdString(FindingCountText(CountFindings(findings_))));
    countLabel_->setVisible(isVisible());
}

void CLayoutChecksPanel::OnIdle() {
    if (!isVisible() || view_.IsDragging()) {
        return;
    }
    const std::uint64_t now = LayoutFingerprint(doc_);
    if (shown_ == now) {
        pending_.reset();
        return;
    }
    // Changed since the table was made: wait until a whole idle period
    // passes without a further change.
    if (pending_ == now) {
        Refresh();
    } else {
        pending_ = now;
    }
}

void CLayoutChecksPanel::SelectRow(int row) {
    if (row < 0 || row >= static_cast<int>(findings_.size()) || view_.IsDragging()) {
        return;
    }
    const Finding& f = findings_[static_cast<std::size_t>(row)];
    view_.CenterOnWorld(f.location);
    view_.SelectObject(f.object);
}

void CLayoutChecksPanel::OpenRow(int row) {
    if (row < 0 || row >= static_cast<int>(findings_.size())) {
        return;
    }
    SelectRow(row);
    view_.ObjectProperties(findings_[static_cast<std::size_t>(row)].object);
}

}  // namespace rollpath
