// The first main frame: menus built from the command table, the switching
// menu texts, enabling, and the status panes.

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

#include "support/NetworkBuilder.h"
#include "ui/MainFrame.h"
#include "ui/ViewWidget.h"

namespace rollpath {

class MainFrameTest : public QObject {
    Q_OBJECT

private:
    QStringList ViewMenuTexts() const {
        QStringList texts;
        for (QAction* a : frame_->ViewMenu()->actions()) {
            if (!a->isSeparator()) {
                texts << a->text();
            }
        }
        return texts;
    }

    // An airport of one runway, opened as the view opens any document.
    void OpenRunway() {
        testing::AddRunway(doc_, DPoint{-2000.0, 0.0}, DPoint{2000.0, 0.0}, 100);
        frame_->ViewWidget().View().OnInitialUpdate();
        frame_->UpdateActions();
    }

    RecordingMessageSink messages_;
    CRollpathDoc doc_;
    std::unique_ptr<CMainFrame> frame_;

private slots:
    void init() {
        doc_.CleanUp();
        doc_.SetMessageSink(&messages_);
        frame_ = std::make_unique<CMainFrame>(doc_, messages_);
        frame_->resize(640, 480);
        frame_->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
    }

    void cleanup() { frame_.reset(); }

    void theViewMenuHasTheResourceTexts() {
        const QStringList expected = {QStringLiteral("&Runways\tCtrl+R"),
                                      QStringLiteral("R&ollpaths\tCtrl+A"),
                                      QStringLiteral("&Polygons\tCtrl+G"),
                                      QStringLiteral("&Vertices\tCtrl+E"),
                                      QStringLiteral("&Lights\tCtrl+L"),
                                      QStringLiteral("&Markings\tCtrl+M"),
                                      QStringLiteral("Show &Grid"),
                                      QStringLiteral("Hide &Diagram\tCtrl+D"),
                                      QStringLiteral("&Zoom"),
                                      QStringLiteral("Rotate &CW\t>"),
                                      QStringLiteral("Rotate CC&W\t<")};
        QCOMPARE(ViewMenuTexts(), expected);
        QCOMPARE(frame_->menuBar()->actions().at(1)->text(), QStringLiteral("&View"));
        QCOMPARE(frame_->Action(CommandId::ViewRunways)->shortcut(), QKeySequence(QStringLiteral("Ctrl+R")));
        QCOMPARE(frame_->Action(CommandId::ViewLights)->statusTip(), QStringLiteral("Show/Hide Lights"));
        QCOMPARE(frame_->Action(CommandId::FileNew)->text(), QStringLiteral("&New\tCtrl+N"));
    }

    void displayCommandsNeedAnAirport() {
        for (const CommandId id : {CommandId::ViewRunways, CommandId::ViewLights, CommandId::ViewGrid,
                                   CommandId::Zoom, CommandId::RotateCW, CommandId::ViewDiagram}) {
            QVERIFY(!frame_->Action(id)->isEnabled());
        }
        OpenRunway();
        for (const CommandId id : {CommandId::ViewRunways, CommandId::ViewLights, CommandId::ViewGrid,
                                   CommandId::Zoom, CommandId::RotateCW}) {
            QVERIFY(frame_->Action(id)->isEnabled());
        }
        QVERIFY(frame_->Action(CommandId::ViewRunways)->isChecked());
        QVERIFY(!frame_->Action(CommandId::ViewMarkings)->isChecked());
        QVERIFY(!frame_->Action(CommandId::ViewDiagram)->isEnabled());
    }

    void gridAndDiagramTextsFollowTheirToggles() {
        OpenRunway();
        QAction* grid = frame_->Action(CommandId::ViewGrid);
        grid->trigger();
        QCOMPARE(grid->text(), QStringLiteral("Hide &Grid"));
        QCOMPARE(frame_->ViewWidget().View().m_bShowGrid, 1);
        grid->trigger();
        QCOMPARE(grid->text(), QStringLiteral("Show &Grid"));
        QAction* diagram = frame_->Action(CommandId::ViewDiagram);
        frame_->ViewWidget().View().OnCommand(CommandId::ViewDiagram);
        QCOMPARE(diagram->text(), QStringLiteral("Show &Diagram\tCtrl+D"));
        // A new document brings the texts back with the toggles.
        frame_->ViewWidget().View().OnCommand(CommandId::ViewGrid);
        frame_->ViewWidget().View().OnInitialUpdate();
        QCOMPARE(grid->text(), QStringLiteral("Show &Grid"));
        QCOMPARE(diagram->text(), QStringLiteral("Hide &Diagram\tCtrl+D"));
    }

    void statusPanesShowWidthScaleAndHeading() {
        OpenRunway();
        QCOMPARE(frame_->WidthPane()->text(), QStringLiteral("50.00 ft"));
        const int zoom = frame_->ViewWidget().View().m_nZoom;
        QCOMPARE(frame_->ScalePane()->text(), QStringLiteral("1:%1").arg(zoom / 10));
        QCOMPARE(frame_->RotationPane()->text(), QString::fromUtf8("0.00\u00b0"));
        doc_.m_dRotation = 9.0;
        frame_->Action(CommandId::RotateCW)->trigger();
        QCOMPARE(frame_->RotationPane()->text(), QString::fromUtf8("350.00\u00b0"));
    }

    void theViewHasTheFocusForItsKeys() {
        QTRY_VERIFY(frame_->ViewWidget().hasFocus());
        OpenRunway();
        QTest::keyClick(frame_.get(), Qt::Key_Minus);
        QCOMPARE(frame_->ViewWidget().View().m_nZoom % 100, 0);
    }
};

}  // namespace rollpath

QTEST_MAIN(rollpath::MainFrameTest)
#include "MainFrameTest.moc"
