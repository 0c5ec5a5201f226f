// The Layout Checks panel in the main frame: F7 shows it with the findings
// and their count in the status bar; a row click centres the view and
// selects the object, a double click opens its properties; an edit is
// checked again after a quiet idle period, never during a drag; Save says
// in the message pane that errors remain; the Checks page of the
// preferences switches checks off.

#include <QCheckBox>
#include <QLabel>
#include <QStatusBar>
#include <QTableWidget>
#include <QtTest>
#include <cmath>
#include <filesystem>

#include "ModalAnswer.h"
#include "support/NetworkBuilder.h"
#include "support/TempDir.h"
#include "ui/ChecksPage.h"
#include "ui/LayoutChecksPanel.h"
#include "ui/MainFrame.h"
#include "ui/ModelQtDialog.h"
#include "ui/ViewWidget.h"

namespace rollpath {

class LayoutChecksPanelTest : public QObject {
    Q_OBJECT

private:
    CRollpathView& View() { return frame_->ViewWidget().View(); }
    CLayoutChecksPanel& Panel() { return frame_->LayoutChecks(); }

    // The row of the first finding of a check, or -1.
    int RowOf(CheckId check) {
        const std::vector<Finding>& findings = Panel().Findings();
        for (std::size_t k = 0; k < findings.size(); ++k) {
            if (findings[k].check == check) {
                return static_cast<int>(k);
            }
        }
        return -1;
    }

    void ClickRow(int row, bool twice = false) {
        QTableWidget* table = Panel().Table();
        const QPoint at = table->visualItemRect(table->item(row, 2)).center();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
        if (twice) {
            QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
        }
    }

    RecordingMessageSink messages_;
    Settings settings_;
    CRollpathDoc doc_;
    std::unique_ptr<CMainFrame> frame_;

private slots:
    // A runway with a rollpath joined to nothing and a polygon that crosses
    // itself: a warning (unreachable) and an error (polygon).
    void init() {
        doc_.CleanUp();
        settings_ = Settings{};
        doc_.SetSettings(&settings_);
        doc_.SetMessageSink(&messages_);
        testing::AddRunway(doc_, DPoint{-2000.0, 0.0}, DPoint{2000.0, 0.0}, 100);
        testing::AddCentreLine(doc_, *doc_.m_pRunways[0]);
        testing::AddRollpath(doc_, DPoint{0.0, 800.0}, DPoint{600.0, 800.0}, 50.0);
        GroundPolygon& bowTie = doc_.AppendPolygon();
        bowTie.points = {{-800, 600}, {-600, 800}, {-600, 600}, {-800, 800}};
        frame_ = std::make_unique<CMainFrame>(doc_, messages_);
        frame_->resize(900, 700);
        frame_->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
    }

    void cleanup() {
        testing::CancelPendingAnswers();
        frame_.reset();
    }

    void f7ShowsTheFindingsAndTheirCount() {
        QVERIFY(!Panel().isVisible());
        QVERIFY(frame_->CheckLayoutAction()->isEnabled());
        QCOMPARE(frame_->CheckLayoutAction()->shortcut(), QKeySequence(Qt::Key_F7));
        QTest::keyClick(frame_.get(), Qt::Key_F7);
        QVERIFY(Panel().isVisible());
        // The Source and Sink are missing too: an error.
        QCOMPARE(Panel().Table()->rowCount(), 3);
        QCOMPARE(Panel().Table()->item(RowOf(CheckId::Polygon), 1)->text(), QStringLiteral("polygon"));
        QVERIFY(!Panel().Table()->item(0, 0)->icon().isNull());
        QLabel* count = Panel().CountLabel();
        QCOMPARE(count->text(), QStringLiteral("2 errors, 1 warning"));
        QVERIFY(count->isVisible());
        QCOMPARE(count->parentWidget(), static_cast<QWidget*>(frame_->statusBar()));
    }

    void aRowClickCentresAndSelectsADoubleClickOpensTheProperties() {
        frame_->OnCheckLayout();
        ClickRow(RowOf(CheckId::Polygon));
        QCOMPARE(View().m_pSelectedPolygon, doc_.m_pPolygons[0].get());
        const DeviceSize client = frame_->ViewWidget().ClientSize();
        const DevicePoint centre{client.width / 2, client.height / 2};
        const DPoint seen = View().WindowToWorld(centre);
        QVERIFY(std::hypot(seen.x + 700.0, seen.y - 700.0) < 5.0);

        ClickRow(RowOf(CheckId::Unreachable));
        QVERIFY(View().m_MarkedObject == ObjectRef::Segment(1));
        QString title;
        testing::AnswerNextModal<ModelQtDialog>([&title](ModelQtDialog* dialog) {
            title = dialog->windowTitle();
            dialog->reject();
        });
        ClickRow(RowOf(CheckId::Unreachable), true);
        QCOMPARE(title, QStringLiteral("Rollpath Properties"));
    }

    void anEditIsCheckedAfterAQuietIdlePeriodButNotDuringADrag() {
        frame_->OnCheckLayout();
        doc_.m_pPolygons[0]->state = -1;
        View().m_nDragState = DragState::MoveVertex;
        Panel().OnIdle();
        Panel().OnIdle();
        QCOMPARE(Panel().Table()->rowCount(), 3);
        View().m_nDragState = DragState::Idle;
        Panel().OnIdle();
        QCOMPARE(Panel().Table()->rowCount(), 3);
        Panel().OnIdle();
        QCOMPARE(Panel().Table()->rowCount(), 2);
        QCOMPARE(Panel().CountLabel()->text(), QStringLiteral("1 error, 1 warning"));
        // The frame's idle timer does it on its own.
        doc_.m_pPolygons[0]->state = 0;
        QTRY_COMPARE(Panel().Table()->rowCount(), 3);
    }

    void saveSaysThatErrorsRemainAndStillSaves() {
        testing::TempDir dir("rollpath-checks");
        settings_.OutputDir = dir.path().string();
        doc_.SetProgramDir(dir.path());
        doc_.m_szCode = "KTST";
        doc_.m_szTxpName = "KTST.txp";
        doc_.m_szBgrName = "KTST.bgr";
        doc_.m_szTxdName = "KTST.txd";
        doc_.m_szTmsName = "KTST.tms";
        doc_.SetModifiedFlag(true);
        frame_->UpdateActions();
        frame_->OnCommand(CommandId::FileSave);
        QVERIFY(std::filesystem::exists(dir.path() / "KTST.tms"));
        QCOMPARE(frame_->MessagePaneText(),
                 QStringLiteral("Saved with 2 layout errors: see Tools > Check Layout (F7)"));
        QCOMPARE(Panel().Table()->rowCount(), 3);
    }

    void theChecksPageSwitchesChecksOff() {
        settings_.DisabledChecks = "polygon";
        CChecksPage page(settings_);
        QVERIFY(!page.CheckBox(CheckId::Polygon)->isChecked());
        QVERIFY(page.CheckBox(CheckId::SharpTurn)->isChecked());
        page.CheckBox(CheckId::SharpTurn)->setChecked(false);
        page.CheckBox(CheckId::Polygon)->setChecked(true);
        page.CopyTo(settings_);
        QCOMPARE(QString::fromStdString(settings_.DisabledChecks), QStringLiteral("sharp-turn"));
        frame_->OnCheckLayout();
        QCOMPARE(Panel().Table()->rowCount(), 3);
        settings_.DisabledChecks = "polygon,source-sink";
        frame_->OnCheckLayout();
        QCOMPARE(Panel().Table()->rowCount(), 1);
    }
};

}  // namespace rollpath

QTEST_MAIN(rollpath::LayoutChecksPanelTest)
#include "LayoutChecksPanelTest.moc"
