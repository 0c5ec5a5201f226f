// The main frame: menus and toolbar as the user sees them, GeoJSON import
// as one step of the history, the keys that reach their commands, the
// message pane, printing and the help window. The Layout Checks panel in it:
// F7 shows it with the findings and their count in the status bar; a row
// click centres the view and selects the object, a double click opens its
// properties; an edit is checked again after a quiet idle period, never
// during a drag; Save says in the message pane that errors remain; the
// Checks page of the preferences switches checks off.

#include <QAction>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTableWidget>
#include <QTextBrowser>
#include <QToolBar>
#include <QWheelEvent>
#include <QtTest>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "ModalAnswer.h"
#include "support/NetworkBuilder.h"
#include "support/TempDir.h"
#include "ui/AnsiQt.h"
#include "ui/ChecksPage.h"
#include "ui/LayoutChecksPanel.h"
#include "ui/MainFrame.h"
#include "ui/ModelQtDialog.h"
#include "ui/ViewPrinting.h"
#include "ui/ViewWidget.h"

namespace rollpath {

class MainFrameTest : public QObject {
    Q_OBJECT

private:
    // An airport of one runway, opened as the view opens any document.
    void OpenRunway() {
        testing::AddRunway(doc_, DPoint{-2000.0, 0.0}, DPoint{2000.0, 0.0}, 100);
        frame_->ViewWidget().View().OnInitialUpdate();
        frame_->UpdateActions();
    }

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

    // A runway with a rollpath joined to nothing and a polygon that crosses
    // itself: a warning (unreachable) and an error (polygon), opened.
    void OpenCheckScene() {
        OpenRunway();
        testing::AddCentreLine(doc_, *doc_.m_pRunways[0]);
        testing::AddRollpath(doc_, DPoint{0.0, 800.0}, DPoint{600.0, 800.0}, 50.0);
        GroundPolygon& bowTie = doc_.AppendPolygon();
        bowTie.points = {{-800, 600}, {-600, 800}, {-600, 600}, {-800, 800}};
    }

    RecordingMessageSink messages_;
    Settings settings_;
    CRollpathDoc doc_;
    std::unique_ptr<CMainFrame> frame_;

private slots:
    void init() {
        doc_.CleanUp();
        settings_ = Settings{};
        doc_.SetSettings(&settings_);
        doc_.SetMessageSink(&messages_);
        frame_ = std::make_unique<CMainFrame>(doc_, messages_);
        frame_->resize(640, 480);
        frame_->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
    }

    void cleanup() {
        testing::CancelPendingAnswers();
        frame_.reset();
    }

    // Every popup, item, separator, text, prompt and shortcut of the menu
    // bar and every toolbar button, written out as the user sees them: an
    // item as "text ~ prompt [keys]", a separator as "-".
    void everyMenuItemAndButtonIsAsTheUserSeesIt() {
        const std::vector<std::pair<QString, QString>> expected = {
            {"&File",
             "&New\tCtrl+N ~ Create New Rollpath File [Ctrl+N] | "
             "&Open...\tCtrl+O ~ Open Rollpath File [Ctrl+O] | "
             "&Save\tCtrl+S ~ Save the active document [Ctrl+S] | - | "
             "&Import GeoJSON... ~ Add taxiways, aprons and holds from a GeoJSON file | "
             "&Export GeoJSON... ~ Write the airport as GeoJSON for GIS tools | - | "
             "Preferences... ~ Program Preferences | - | "
             "&Print...\tCtrl+P ~ Print the active document [Ctrl+P] | Print Pre&view ~ Display full pages | "
             "P&rint Setup... ~ Change the printer and printing options | - | "
             "Recent File ~ Open this document |  ~ Open this document |  ~ Open this document | "
             " ~ Open this document | - | E&xit ~ Quit the application; prompts to save documents"},
            {"&Edit",
             "&Undo\tCtrl+Z ~ Undo the last action [Ctrl+Z, Alt+Backspace] | "
             "&Redo\tCtrl+Shift+Z ~ Redo the previously undone action [Ctrl+Shift+Z] | - | "
             "Cu&t\tCtrl+X ~ Cut the selection and put it on the Clipboard [Ctrl+X, Shift+Del] | "
             "&Copy\tCtrl+C ~ Copy the selection and put it on the Clipboard [Ctrl+C, Ctrl+Ins] | "
             "&Paste\tCtrl+V ~ Insert Clipboard contents [Ctrl+V, Shift+Ins] | &Delete\tDel ~  | - | "
             "Properties... ~ Airport Properties"},
            {"&View",
             "&Toolbar ~ Show or hide the toolbar | &Status Bar ~ Show or hide the status bar | - | "
             "&Runways\tCtrl+R ~ Show/Hide Runways [Ctrl+R] | "
             "R&ollpaths\tCtrl+A ~ Show/Hide Rollpaths [Ctrl+A] | "
             "&Polygons\tCtrl+G ~ Show/Hide Polygons [Ctrl+G] | "
             "&Vertices\tCtrl+E ~ Show/Hide Rollpath Vertices [Ctrl+E] | "
             "&Lights\tCtrl+L ~ Show/Hide Lights [Ctrl+L] | "
             "&Markings\tCtrl+M ~ Show/Hide Markings [Ctrl+M] | Show &Grid ~ Show/Hide Grid | Hide "
             "&Diagram\tCtrl+D ~ Show/Hide Airport Diagram [Ctrl+D] | - | "
             "&Zoom ~ Zoom | Rotate &CW\t< ~ Rotate Clockwise | Rotate CC&W\t> ~ Rotate Counter Clockwise"},
            {"&Tools",
             "&Rollpath\tCtrl+T ~ Rollpath Tool [Ctrl+T] | &Polygon\tCtrl+Y ~ Polygon Tool [Ctrl+Y] | - | "
             "Place &Source ~ Set the vertex for the initial aircraft position | "
             "Place Sin&k ~ Set the vertex for the final aircraft position | - | "
             "Rollpath &Width...\tCtrl+W ~  [Ctrl+W] | - | "
             "Check &Layout ~ Check the layout for what the simulator would show wrong [F7]"},
            {"&Diagram",
             "&Load\tCtrl+B ~ Load Airport Diagram [Ctrl+B] | &Position... ~ Position Airport Diagram"},
            {"&Help",
             "&Help Topics ~ List Help topics | - | "
             "&About Rollpath... ~ Display program information, version number and copyright"},
        };
        const QList<QAction*> popups = frame_->menuBar()->actions();
        QCOMPARE(popups.size(), static_cast<qsizetype>(expected.size()));
        for (std::size_t p = 0; p < expected.size(); ++p) {
            QCOMPARE(popups[static_cast<qsizetype>(p)]->text(), expected[p].first);
            QStringList items;
            for (const QAction* item : popups[static_cast<qsizetype>(p)]->menu()->actions()) {
                QStringList keys;
                for (const QKeySequence& key : item->shortcuts()) {
                    keys << key.toString();
                }
                items << (item->isSeparator()
                              ? QStringLiteral("-")
                              : item->text() + " ~ " + item->statusTip() +
                                    (keys.isEmpty() ? QString() : " [" + keys.join(", ") + "]"));
            }
            QCOMPARE(items.join(" | "), expected[p].second);
        }

        const QStringList buttons = {"New",      "Open", "Save",     "-",       "Cut",    "Copy",
                                     "Paste",    "Undo", "Redo",     "-",       "Zoom",   "Lights",
                                     "Markings", "-",    "Rollpath", "Polygon", "Source", "Sink"};
        QToolBar* bar = frame_->ToolBar();
        QCOMPARE(bar->iconSize(), QSize(16, 15));
        QStringList shown;
        for (QAction* b : bar->actions()) {
            shown << (b->isSeparator() ? QStringLiteral("-") : b->toolTip());
            QVERIFY(b->isSeparator() || !b->icon().pixmap(16, 15).isNull());
        }
        QCOMPARE(shown, buttons);
    }

    // Import is one step of the history; a refused file adds none.
    void geoJsonImportIsOneUndoableStep() {
        QVERIFY(!frame_->ImportGeoJsonAction()->isEnabled());
        doc_.m_Airport.lat = 37.461149;
        doc_.m_Airport.lon = -122.114998;
        OpenRunway();
        QVERIFY(frame_->ImportGeoJsonAction()->isEnabled());
        const testing::TempDir dir;
        const std::filesystem::path way = dir.path() / "way.geojson";
        std::ofstream(way) << R"({"type":"FeatureCollection","features":[{"type":"Feature",)"
                              R"("properties":{"aeroway":"taxiway"},"geometry":{"type":"LineString",)"
                              R"("coordinates":[[-122.116,37.4605],[-122.114,37.4605]]}}]})";
        frame_->ImportGeoJsonFile(way.string());
        QCOMPARE(doc_.m_pSegments.size(), std::size_t{1});
        QCOMPARE(doc_.m_pSegments.front()->width, 50.0f);
        QCOMPARE(doc_.History().UndoKind(), static_cast<int>(UndoKind::GeoJsonImported));
        QVERIFY(
            frame_->statusBar()->currentMessage().startsWith(QStringLiteral("Imported 1 rollpath segment")));

        std::ofstream(dir.path() / "bad.geojson") << "[]";
        frame_->ImportGeoJsonFile((dir.path() / "bad.geojson").string());
        QCOMPARE(messages_.shown.back(), std::string("The file is not a GeoJSON FeatureCollection"));
        frame_->OnCommand(CommandId::EditUndo);
        QVERIFY(doc_.m_pSegments.empty() || !doc_.m_pSegments.front()->live());
    }

    void theMessagePaneShowsPromptsAndOtherwiseTheHelpHint() {
        QCOMPARE(frame_->MessagePaneText(), QStringLiteral("For Help, press F1"));
        QStatusTipEvent tip(frame_->Action(CommandId::FileSave)->statusTip());
        QApplication::sendEvent(frame_.get(), &tip);
        QCOMPARE(frame_->MessagePaneText(), QStringLiteral("Save the active document"));
        QStatusTipEvent none{QString()};
        QApplication::sendEvent(frame_.get(), &none);
        QCOMPARE(frame_->MessagePaneText(), QStringLiteral("For Help, press F1"));
        frame_->ViewWidget().SetStatusPrompt("Click right mouse button to finish");
        QCOMPARE(frame_->MessagePaneText(), QStringLiteral("Click right mouse button to finish"));
    }

    // The accelerators and the keys that menu items name run their commands:
    // Ctrl+W opens the width dialog, Ctrl+Y switches the polygon tool, "<"
    // turns the view as Rotate CW does and ">" as Rotate CCW. The view's own
    // keys zoom, turn, outline and scroll, and the wheel with Shift scrolls
    // sideways (the widget turns notches into scrolls; the zoom about the
    // pointer is the view's).
    void theKeysReachTheirCommands() {
        OpenRunway();
        CRollpathView& view = frame_->ViewWidget().View();
        const int zoom = view.m_nZoom;
        QTest::keyClick(&frame_->ViewWidget(), Qt::Key_Equal);
        QCOMPARE(view.m_nZoom, zoom - 100);
        QTest::keyClick(&frame_->ViewWidget(), Qt::Key_Plus, Qt::ShiftModifier);
        QCOMPARE(view.m_nZoom, zoom - 1100);
        QTest::keyClick(&frame_->ViewWidget(), Qt::Key_Period);
        QCOMPARE(doc_.m_dRotation, 359.0);
        QCOMPARE(frame_->RotationPane()->text(), QString::fromUtf8("1.00\u00b0"));
        QTest::keyClick(&frame_->ViewWidget(), Qt::Key_L);
        QCOMPARE(view.m_bOutlineOnly, 1);
        const int sx = view.m_nScrollX;
        QTest::keyClick(&frame_->ViewWidget(), Qt::Key_Right);
        QVERIFY(view.m_nScrollX > sx);
        const int scrolled = view.m_nScrollX;
        QWheelEvent wheel(QPointF(150, 120), QPointF(150, 120), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::ShiftModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(frame_->ViewWidget().viewport(), &wheel);
        QVERIFY(view.m_nScrollX > scrolled);
        QCOMPARE(view.m_nZoom, zoom - 1100);
        QTest::keyClick(frame_.get(), Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(view.m_bShowLights, 1);
        QTest::keyClick(frame_.get(), Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(view.m_bShowRunways, 0);
        QTest::keyClick(frame_.get(), Qt::Key_F1);
        QVERIFY(frame_->HelpWindow() != nullptr && frame_->HelpWindow()->isVisible());
        frame_->activateWindow();
        QTest::keyClick(frame_.get(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(view.m_bPolygonTool, 1);
        QTest::keyClick(frame_.get(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(view.m_bPolygonTool, 0);
        QString title;
        testing::AnswerNextModal<QDialog>([&title](QDialog* dialog) {
            title = dialog->windowTitle();
            dialog->reject();
        });
        QTest::keyClick(frame_.get(), Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(title, QStringLiteral("Set Rollpath Width"));
        for (const auto& [key, text] : {std::pair{Qt::Key_Less, '<'}, std::pair{Qt::Key_Greater, '>'}}) {
            const double before = doc_.m_dRotation;
            QTest::keyClick(&frame_->ViewWidget(), key, Qt::ShiftModifier);
            const double byKey = doc_.m_dRotation;
            doc_.m_dRotation = before;
            for (QAction* item : frame_->ViewMenu()->actions()) {
                if (item->text().endsWith(QStringLiteral("\t") + QLatin1Char(text))) {
                    item->trigger();
                }
            }
            QCOMPARE(doc_.m_dRotation, byKey);
            QVERIFY(byKey != before);
        }
    }

    void printingFitsTheViewOnThePage() {
        OpenRunway();
        const ScreenArea screen = frame_->ViewScreenArea();
        QVERIFY(!screen.size.isEmpty());
        QCOMPARE(FitScale(ScreenArea{QSize(200, 100), 96, 96}, QRect(0, 0, 800, 800)), 4.0);
        QCOMPARE(FitScale(ScreenArea{QSize(200, 100), 96, 96}, QRect(0, 0, 300, 90)), 0.9);

        // Twice the window's size: the page shows the window's picture
        // scaled by two, pixel for pixel where the drawing is flat.
        frame_->ViewWidget().RedrawBuffer();
        const QImage screenImage = frame_->ViewWidget().BackBuffer();
        QImage page(screen.size * 2, QImage::Format_RGB32);
        page.fill(Qt::gray);
        {
            QPainter painter(&page);
            DrawViewOnPage(frame_->ViewWidget().View(), screen, painter, page.rect());
        }
        const QPoint centre(screen.size.width() / 2, screen.size.height() / 2);
        const QColor runway = screenImage.pixelColor(centre + QPoint(40, 0));
        QCOMPARE(page.pixelColor((centre + QPoint(40, 0)) * 2), runway);

        testing::TempDir dir("rollpath-print");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const std::filesystem::path pdf = dir / "view.pdf";
        printer.setOutputFileName(QString::fromStdString(pdf.string()));
        PrintView(frame_->ViewWidget().View(), screen, printer);
        std::ifstream in(pdf, std::ios::binary);
        std::string head(4, '\0');
        in.read(head.data(), 4);
        QCOMPARE(QString::fromStdString(head), QStringLiteral("%PDF"));
    }

    // F7 shows the findings and their count; a row click centres and
    // selects, a double click opens the properties; the Checks page switches
    // checks off; an edit is checked again after a quiet idle period, never
    // during a drag; Save says that errors remain and still saves.
    void theLayoutChecksPanel() {
        OpenCheckScene();
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
        settings_.DisabledChecks.clear();
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
};

}  // namespace rollpath

QTEST_MAIN(rollpath::MainFrameTest)
#include "MainFrameTest.moc"
