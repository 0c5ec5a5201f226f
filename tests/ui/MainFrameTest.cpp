// The main frame: menus, toolbar, accelerators and the right-button menu
// built from the command table, the switching menu texts, enabling, the
// status panes, printing and the help window.

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTextBrowser>
#include <QToolBar>
#include <QtTest>
#include <fstream>

#include "support/NetworkBuilder.h"
#include "support/TempDir.h"
#include "ui/AnsiQt.h"
#include "ui/ContextMenu.h"
#include "ui/MainFrame.h"
#include "ui/ViewPrinting.h"
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
        const QStringList expected = {QStringLiteral("&Toolbar"),
                                      QStringLiteral("&Status Bar"),
                                      QStringLiteral("&Runways\tCtrl+R"),
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
        QCOMPARE(frame_->menuBar()->actions().at(2)->text(), QStringLiteral("&View"));
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
        QCOMPARE(frame_->ScalePane()->objectName(), QStringLiteral("102"));
        QCOMPARE(frame_->RotationPane()->objectName(), QStringLiteral("103"));
        QCOMPARE(frame_->WidthPane()->objectName(), QStringLiteral("104"));
        OpenRunway();
        QCOMPARE(frame_->WidthPane()->text(), QStringLiteral("50.00 ft"));
        const int zoom = frame_->ViewWidget().View().m_nZoom;
        QCOMPARE(frame_->ScalePane()->text(), QStringLiteral("1:%1").arg(zoom / 10));
        QCOMPARE(frame_->RotationPane()->text(), QString::fromUtf8("0.00\u00b0"));
        doc_.m_dRotation = 9.0;
        frame_->Action(CommandId::RotateCW)->trigger();
        QCOMPARE(frame_->RotationPane()->text(), QString::fromUtf8("350.00\u00b0"));
    }

    // Every popup, item, separator, text, prompt and shortcut of the menu
    // bar, as the command table lays them out.
    void everyMenuItemExistsWithItsIdTextAndShortcut() {
        const QList<QAction*> popups = frame_->menuBar()->actions();
        const auto layout = MenuBarLayout();
        QCOMPARE(popups.size(), static_cast<qsizetype>(layout.size()));
        QStringList titles;
        for (QAction* popup : popups) {
            titles << popup->text();
        }
        QCOMPARE(titles, (QStringList{"&File", "&Edit", "&View", "&Tools", "&Diagram", "&Help"}));
        for (std::size_t p = 0; p < layout.size(); ++p) {
            QMenu* menu = popups[static_cast<qsizetype>(p)]->menu();
            QVERIFY(menu != nullptr);
            QList<QAction*> items = menu->actions();
            qsizetype k = 0;
            for (const CommandId id : layout[p].items) {
                QVERIFY2(k < items.size(), qPrintable(titles[static_cast<qsizetype>(p)]));
                QAction* item = items[k++];
                if (id == CommandId::Separator) {
                    QVERIFY(item->isSeparator());
                    continue;
                }
                const CommandInfo* info = FindCommand(id);
                QCOMPARE(item->data().toInt(), static_cast<int>(id));
                QCOMPARE(item, frame_->Action(id));
                if (id != CommandId::ViewGrid && id != CommandId::ViewDiagram) {
                    QCOMPARE(item->text(), FromAnsi(info->menuText));
                }
                const std::string_view prompt = info->prompt;
                QCOMPARE(item->statusTip(), FromAnsi(prompt.substr(0, prompt.find('\n'))));
                QList<QKeySequence> keys;
                for (const Accelerator& a : Accelerators()) {
                    if (a.id == id) {
                        keys << QKeySequence(
                            QString::fromLatin1(a.keys.data(), static_cast<qsizetype>(a.keys.size())));
                    }
                }
                QCOMPARE(item->shortcuts(), keys);
                if (id == CommandId::RecentFile) {
                    k += 3;  // the other recent files, hidden while there are none
                }
            }
            QCOMPARE(k, items.size());
        }
        QCOMPARE(frame_->Action(CommandId::EditUndo)->shortcuts(),
                 (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Z")),
                                      QKeySequence(QStringLiteral("Alt+Backspace"))}));
        QCOMPARE(frame_->Action(CommandId::EditRedo)->shortcuts(),
                 QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
        QCOMPARE(frame_->Action(CommandId::EditCut)->shortcuts().last(),
                 QKeySequence(Qt::SHIFT | Qt::Key_Delete));
        QCOMPARE(frame_->Action(CommandId::EditCopy)->shortcuts().last(),
                 QKeySequence(Qt::CTRL | Qt::Key_Insert));
        QCOMPARE(frame_->Action(CommandId::EditPaste)->shortcuts().last(),
                 QKeySequence(Qt::SHIFT | Qt::Key_Insert));
        // Named in their texts, but without accelerators.
        QVERIFY(frame_->Action(CommandId::RollpathWidth)->shortcuts().isEmpty());
        QVERIFY(frame_->Action(CommandId::PolygonTool)->shortcuts().isEmpty());
    }

    void theToolbarHasItsButtonsInOrderWithIconsAndTooltips() {
        QToolBar* bar = frame_->ToolBar();
        const QList<QAction*> buttons = bar->actions();
        const auto layout = ToolbarLayout();
        QCOMPARE(buttons.size(), static_cast<qsizetype>(layout.size()));
        QCOMPARE(bar->iconSize(), QSize(16, 15));
        for (std::size_t i = 0; i < layout.size(); ++i) {
            QAction* b = buttons[static_cast<qsizetype>(i)];
            if (layout[i] == CommandId::Separator) {
                QVERIFY(b->isSeparator());
                continue;
            }
            QCOMPARE(b, frame_->Action(layout[i]));
            QVERIFY2(!b->icon().pixmap(16, 15).isNull(), FindCommand(layout[i])->name.data());
            QCOMPARE(b->toolTip(), TooltipOf(*FindCommand(layout[i])));
        }
        QCOMPARE(frame_->Action(CommandId::FileNew)->toolTip(), QStringLiteral("New"));
        QCOMPARE(frame_->Action(CommandId::PlaceSink)->toolTip(), QStringLiteral("Sink"));
    }

    void theToolbarAndStatusBarItemsShowAndHideThem() {
        QAction* toolbar = frame_->Action(CommandId::ViewToolbar);
        QAction* status = frame_->Action(CommandId::ViewStatusBar);
        frame_->UpdateActions();
        QVERIFY(toolbar->isChecked() && status->isChecked());
        toolbar->trigger();
        QVERIFY(!frame_->ToolBar()->isVisible());
        QVERIFY(!toolbar->isChecked());
        status->trigger();
        QVERIFY(!frame_->statusBar()->isVisible());
        toolbar->trigger();
        status->trigger();
        QVERIFY(frame_->ToolBar()->isVisible() && frame_->statusBar()->isVisible());
    }

    void commandsWithoutAHandlerAreGreyed() {
        OpenRunway();
        // Nothing handles Paste; without the application object, neither
        // New nor Preferences has a handler.
        for (const CommandId id : {CommandId::EditPaste, CommandId::FileNew, CommandId::Preferences}) {
            QVERIFY(!frame_->Action(id)->isEnabled());
        }
        for (const CommandId id : {CommandId::FilePrint, CommandId::FilePrintPreview,
                                   CommandId::FilePrintSetup, CommandId::HelpTopics, CommandId::AppExit}) {
            QVERIFY(frame_->Action(id)->isEnabled());
        }
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

    void theContextMenuHasItsItemsGreyedAsTheViewSays() {
        OpenRunway();
        CContextMenu& menu = frame_->ContextMenu();
        QStringList texts;
        for (QAction* a : menu.actions()) {
            texts << a->text();
        }
        QCOMPARE(texts, (QStringList{"Cu&t", "&Copy", "&Paste", "&Insert Vertex", "&Delete Vertex", "Ce&nter",
                                     "Pr&operties..."}));
        QCOMPARE(menu.Action(CommandId::CenterAtMouse)->statusTip(),
                 QStringLiteral("Center diagram at mouse"));
        QCOMPARE(menu.Action(CommandId::ContextProperties)->statusTip(),
                 QStringLiteral("Open Object Property Sheet"));
        menu.UpdateItems();
        for (const CommandId id : ContextMenuLayout()) {
            const std::optional<CommandUI> ui = frame_->ViewWidget().View().UpdateCommandUI(id);
            QCOMPARE(menu.Action(id)->isEnabled(), ui.has_value() && ui->enabled);
        }
        // Paste has no handler anywhere.
        QVERIFY(!menu.Action(CommandId::ContextPaste)->isEnabled());
    }

    void theAcceleratorsReachTheirCommands() {
        OpenRunway();
        QCOMPARE(frame_->ViewWidget().View().m_bShowLights, 0);
        QTest::keyClick(frame_.get(), Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(frame_->ViewWidget().View().m_bShowLights, 1);
        QTest::keyClick(frame_.get(), Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(frame_->ViewWidget().View().m_bShowRunways, 0);
        QTest::keyClick(frame_.get(), Qt::Key_F1);
        QVERIFY(frame_->HelpWindow() != nullptr && frame_->HelpWindow()->isVisible());
    }

    void printingFitsTheViewOnThePage() {
        OpenRunway();
        const ScreenArea screen = frame_->ViewScreenArea();
        QVERIFY(!screen.size.isEmpty());
        QCOMPARE(FitScale(ScreenArea{QSize(200, 100), 96, 96}, QRect(0, 0, 800, 800)), 4.0);
        QCOMPARE(FitScale(ScreenArea{QSize(200, 100), 96, 96}, QRect(0, 0, 300, 90)), 0.9);
        QCOMPARE(FitScale(ScreenArea{QSize(0, 100), 96, 96}, QRect(0, 0, 300, 90)), 0.0);

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
        QCOMPARE(page.pixelColor(QPoint(4, 4)), screenImage.pixelColor(QPoint(2, 2)));

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

    void helpTopicsShowsTheUserGuide() {
        frame_->Action(CommandId::HelpTopics)->trigger();
        CHelpWindow* help = frame_->HelpWindow();
        QVERIFY(help != nullptr);
        QVERIFY(help->isVisible());
        const QString text = help->Browser()->toPlainText();
        for (const char* topic : {"Opening an airport", "Drawing rollpaths", "Drawing ground polygons",
                                  "Properties", "The airport diagram", "Saving and the files written",
                                  "Preferences", "The command-line tool"}) {
            QVERIFY2(text.contains(QString::fromLatin1(topic)), topic);
        }
        // A second request shows the same window.
        frame_->OnHelpTopics();
        QCOMPARE(frame_->HelpWindow(), help);
    }

    void theTitleNamesTheAirport() {
        QCOMPARE(frame_->windowTitle(), QStringLiteral("Untitled - Rollpath"));
        doc_.m_szCode = "KABC";
        frame_->OnDocumentChanged(true);
        QCOMPARE(frame_->windowTitle(), QStringLiteral("KABC - Rollpath"));
        frame_->OnDocumentChanged(false);
        QCOMPARE(frame_->windowTitle(), QStringLiteral("Untitled - Rollpath"));
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
