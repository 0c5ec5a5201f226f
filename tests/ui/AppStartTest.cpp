// The application object on the offscreen platform: the command line, the
// start-up sequence with the first-start folder question, the settings
// written when the main window closes, the recent files, dropped files, and
// the "Save changes?" prompt. Every test has its own settings file.

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QtTest>
#include <fstream>

#include "ModalAnswer.h"
#include "RollpathVersion.h"
#include "app/RollpathApp.h"
#include "app/WindowPlacement.h"
#include "support/SampleInstallation.h"
#include "support/TempDir.h"
#include "ui/GeneralPage.h"
#include "ui/MainFrame.h"
#include "ui/ModelQtDialog.h"
#include "ui/OpenAirportQtDialog.h"
#include "ui/PreferencesSheet.h"
#include "ui/SetFlyDirQtDialog.h"
#include "ui/SpinField.h"
#include "ui/ViewWidget.h"

namespace rollpath {

// What a dialog on screen shows: its title, then the texts of its widgets
// (list lines, labels, check boxes) in the order they were made.
QStringList Shown(const QDialog* dialog) {
    QStringList shown{dialog->windowTitle()};
    for (const QWidget* w : dialog->findChildren<QWidget*>()) {
        if (const auto* label = qobject_cast<const QLabel*>(w)) {
            shown << label->text();
        } else if (const auto* list = qobject_cast<const QListWidget*>(w)) {
            for (int i = 0; i < list->count(); ++i) {
                shown << list->item(i)->text() + (i == list->currentRow() ? QStringLiteral(" *") : QString());
            }
        } else if (const auto* box = qobject_cast<const QCheckBox*>(w)) {
            shown << box->text();
        }
    }
    return shown;
}

class AppStartTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testing::TempDir> dir_;

    std::filesystem::path Dir() const { return dir_->path(); }
    QString ProjectDir() const { return QString::fromStdString((Dir() / "project").string()); }
    std::string FlyDir() const { return (Dir() / "fly").string(); }

    EditorCommandLine Line(QStringList extra = {}) const {
        QStringList arguments{"rollpath", "--project-dir", ProjectDir()};
        arguments << extra;
        return ParseEditorCommandLine(arguments);
    }

    static QVariant Stored(const QString& key) {
        QSettings raw(QStringLiteral("Marrowvale"), QStringLiteral("Rollpath"));
        return raw.value(key);
    }

    // Marks the folder as chosen, so that start-up asks nothing.
    void StoreFlyDir(const std::string& folder) {
        QSettings raw(QStringLiteral("Marrowvale"), QStringLiteral("Rollpath"));
        raw.setValue(QStringLiteral("Settings/FlyDirSet"), 1);
        raw.setValue(QStringLiteral("Settings/FlyDir"), QString::fromStdString(folder));
        raw.setValue(QStringLiteral("Settings/OutputDir"), QString::fromStdString((Dir() / "out").string()));
    }

    void InstallSamples() {
        QVERIFY(testing::WriteSampleInstallation(Dir() / "fly", SampleLayout::Loose));
        std::filesystem::create_directories(Dir() / "out");
    }

    // A start whose first-start question, if any, is answered with `answer`
    // (nothing: Cancel). Returns whether the question came.
    bool StartAnswering(CRollpathApp& app, std::optional<QString> answer, const EditorCommandLine& line) {
        bool asked = false;
        testing::AnswerNextModal<SetFlyDirQtDialog>([&asked, answer](SetFlyDirQtDialog* dialog) {
            asked = true;
            if (answer) {
                dialog->PathField()->setText(*answer);
                dialog->accept();
            } else {
                dialog->reject();
            }
        });
        const bool started = app.InitInstance(line);
        testing::CancelPendingAnswers();
        return asked && started;
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init() {
        dir_ = std::make_unique<testing::TempDir>("rollpath-app");
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString((Dir() / "settings").string()));
    }

    void cleanup() {
        testing::CancelPendingAnswers();
        dir_.reset();
    }

    // The question says what folder it wants and takes only a Fly! folder:
    // one that is missing or holds no archives is refused with a message
    // naming what is missing, and the question stays. It comes once.
    void theFirstStartAsksForTheFlyFolderOnce() {
        InstallSamples();
        std::filesystem::create_directories(Dir() / "empty");
        // A loose database without the archives is no installation.
        std::filesystem::create_directories(Dir() / "loose" / "DATABASE");
        std::ofstream(Dir() / "loose" / "DATABASE" / "AIRPORT.DBD") << "x";
        const QString fly = QString::fromStdString(FlyDir());
        {
            CRollpathApp app;
            QString title;
            QString missing;
            QStringList refusals;
            testing::AnswerNextModal<SetFlyDirQtDialog>([&](SetFlyDirQtDialog* dialog) {
                title = dialog->windowTitle();
                QVERIFY(Shown(dialog).contains(QString::fromLatin1(kFlyDirExplanation)));
                for (const std::filesystem::path& wrong :
                     {Dir() / "missing", Dir() / "empty", Dir() / "loose"}) {
                    dialog->PathField()->setText(QString::fromStdString(wrong.string()));
                    testing::AnswerNextMessageBox(QMessageBox::Ok, &refusals.emplaceBack());
                    dialog->accept();
                    QVERIFY(dialog->isVisible());
                }
                // "..." browses with its title from the field's text.
                QString browseTitle;
                QString browseInitial;
                dialog->SetFolderBrowser([&](QWidget*, const QString& t, const QString& initial) {
                    browseTitle = t;
                    browseInitial = initial;
                    return std::optional<std::string>(FlyDir());
                });
                dialog->BrowseButton()->click();
                QCOMPARE(browseTitle, QStringLiteral("Choose Fly! Path"));
                QCOMPARE(browseInitial, QString::fromStdString((Dir() / "loose").string()));
                testing::AnswerNextMessageBox(QMessageBox::Ok, &missing);
                dialog->accept();
            });
            QVERIFY(app.InitInstance(Line({"XXXX"})));
            QCOMPARE(title, QStringLiteral("Set Fly! Directory"));
            // An airport that does not open: the message, then the editor
            // with the empty document, the chosen folder kept at once.
            QCOMPARE(missing, QStringLiteral("Cannot find XXXX"));
            QVERIFY(app.MainFrame()->isVisible());
            QCOMPARE(app.GetDocument().m_bAirportLoaded, 0);
            QCOMPARE(app.MainFrame()->windowTitle(), QStringLiteral("Untitled[*] - Rollpath"));
            QCOMPARE(Stored("Settings/FlyDirSet").toInt(), 1);
            const QString empty = QString::fromStdString((Dir() / "empty").string());
            const QString loose = QString::fromStdString((Dir() / "loose").string());
            QCOMPARE(refusals, (QStringList{"There is no folder " +
                                                QString::fromStdString((Dir() / "missing").string()) + ".",
                                            empty + " is not a Fly! folder: it holds neither "
                                                    "System/Airport.epd nor System/Airport.pod.",
                                            loose + " is not a Fly! folder: it holds neither "
                                                    "System/Airport.epd nor System/Airport.pod."}));
            QCOMPARE(app.GetSettings().FlyDir, FlyDir());
            QCOMPARE(app.GetSettings().OutputDir, FlyDir() + "/Data");
            QVERIFY(app.MainFrame()->close());
        }
        QCOMPARE(Stored("Settings/FlyDir").toString(), fly);
        QCOMPARE(Stored("Settings/OutputDir").toString(), fly + "/Data");
        CRollpathApp again;
        QVERIFY(!StartAnswering(again, QStringLiteral("/other"), Line()));
        QCOMPARE(again.GetSettings().FlyDir, FlyDir());
    }

    void theNormalRectangleIsStoredEvenWhenMaximised() {
        {
            CRollpathApp app;
            StartAnswering(app, std::nullopt, Line());
            app.MainFrame()->PlaceWindow(WindowRect{40, 50, 500, 400});
            app.MainFrame()->showMaximized();
            QVERIFY(app.MainFrame()->close());
        }
        QCOMPARE(Stored("Settings/Size").toString(), QStringLiteral("40 50 500 400"));
        CRollpathApp app;
        StartAnswering(app, std::nullopt, Line());
        QCOMPARE(app.MainFrame()->NormalWindowRect(), (WindowRect{40, 50, 500, 400}));
    }

    void aStoredRectangleThatCannotShowGivesTheFirstStartOne() {
        const std::vector<QRect> screens{QRect(0, 0, 1024, 768), QRect(1024, 0, 800, 600)};
        const WindowRect first{102, 77, 921, 691};
        const struct {
            std::optional<WindowRect> stored;
            WindowRect placed;
        } rows[] = {
            {WindowRect{5, 6, 700, 500}, WindowRect{5, 6, 700, 500}},
            {WindowRect{1500, 6, 1700, 500}, WindowRect{1500, 6, 1700, 500}},  // on the second screen
            {std::nullopt, first},
            {WindowRect{5000, 6, 5700, 500}, first},
            {WindowRect{600, 100, 10, 500}, first},
            {WindowRect{INT_MIN, 0, INT_MAX, 10}, first},
        };
        for (const auto& row : rows) {
            QCOMPARE(StartWindowRect(row.stored, screens), row.placed);
        }
        QCOMPARE(StartWindowRect(std::nullopt, {}), WindowRect{});
    }

    void commandLineFoldersHoldForTheRunOnly() {
        StoreFlyDir("/stored");
        {
            CRollpathApp app;
            QVERIFY(!StartAnswering(app, QStringLiteral("/asked"), Line({"--fly-dir", "/run"})));
            QCOMPARE(app.GetSettings().FlyDir, std::string("/run"));
            // The scenery of a run on another installation goes to its Data.
            QVERIFY(app.GetSettings().OutputDir.empty());
            QVERIFY(app.MainFrame()->close());
        }
        QCOMPARE(Stored("Settings/FlyDir").toString(), QStringLiteral("/stored"));
        {
            CRollpathApp app;
            StartAnswering(app, std::nullopt, Line({"--output-dir", "/runout"}));
            QCOMPARE(app.GetSettings().FlyDir, std::string("/stored"));
            QCOMPARE(app.GetSettings().OutputDir, std::string("/runout"));
            // A folder chosen in the Preferences during such a run is kept.
            app.GetSettings().OutputDir = "/chosen";
            QVERIFY(app.MainFrame()->close());
        }
        QCOMPARE(Stored("Settings/OutputDir").toString(), QStringLiteral("/chosen"));
    }

    // By its code or file title on the command line, or a file of it
    // dropped on the window.
    void theCommandLineOrADroppedFileOpensAnAirport() {
        InstallSamples();
        StoreFlyDir(FlyDir());
        for (const QString& argument : {QStringLiteral("ksfo"), QStringLiteral("/somewhere/KSFO.bgr"),
                                        QStringLiteral("/anywhere/KSFO.tms")}) {
            CRollpathApp app;
            const bool dropped = argument.endsWith(QStringLiteral(".tms"));
            QVERIFY(app.InitInstance(dropped ? Line() : Line({argument})));
            if (dropped) {
                QMimeData data;
                data.setUrls({QUrl::fromLocalFile(argument)});
                QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
                QApplication::sendEvent(app.MainFrame(), &enter);
                QVERIFY(enter.isAccepted());
                QDropEvent drop(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
                QApplication::sendEvent(app.MainFrame(), &drop);
            }
            QCOMPARE(app.GetDocument().m_szCode, std::string("KSFO"));
            QCOMPARE(app.GetDocument().m_bAirportLoaded, 1);
            QCOMPARE(app.MainFrame()->windowTitle(), QStringLiteral("KSFO[*] - Rollpath"));
            QCOMPARE(app.RecentFiles(), std::vector<std::string>{"KSFO"});
            QVERIFY(app.MainFrame()->close());
        }
    }

    // Save is enabled while the document is modified, and always with Shift
    // held. New and closing ask to save a modified airport first; Cancel
    // keeps it. New refuses a mistyped code in its dialog, and an airport
    // that does not open leaves the open one, changes and all.
    void aModifiedAirportIsSavedOrAskedForBeforeItGoes() {
        InstallSamples();
        StoreFlyDir(FlyDir());
        CRollpathApp app;
        QVERIFY(app.InitInstance(Line({"KSFO"})));
        CMainFrame& frame = *app.MainFrame();
        QAction* save = frame.Action(CommandId::FileSave);
        frame.UpdateActions();
        QVERIFY(!save->isEnabled());
        QTest::keyPress(&frame.ViewWidget(), Qt::Key_Shift, Qt::ShiftModifier);
        frame.UpdateActions();
        QVERIFY(save->isEnabled());
        QTest::keyRelease(&frame.ViewWidget(), Qt::Key_Shift, Qt::NoModifier);
        app.GetDocument().SetModifiedFlag(true);
        frame.UpdateActions();
        save->trigger();
        QVERIFY(!app.GetDocument().IsModified());

        app.GetDocument().SetModifiedFlag(true);
        frame.UpdateActions();
        QVERIFY(frame.isWindowModified());
        QStringList said;
        testing::AnswerNextMessageBox(QMessageBox::Cancel, &said.emplaceBack());
        frame.Action(CommandId::FileNew)->trigger();
        // Cancelled: the airport is still there, and no airport was asked for.
        QCOMPARE(app.GetDocument().m_bAirportLoaded, 1);
        QVERIFY(!testing::AnswersPending());
        testing::AnswerNextMessageBox(QMessageBox::No);
        testing::AnswerNextModal<OpenAirportQtDialog>([&said](OpenAirportQtDialog* dialog) {
            said << dialog->windowTitle() << dialog->TmsBox()->text();
            dialog->CodeField()->setText(QStringLiteral("../x"));
            testing::AnswerNextMessageBox(QMessageBox::Ok, &said.emplaceBack());
            dialog->accept();
            QTRY_VERIFY(!testing::AnswersPending());
            QVERIFY(dialog->isVisible());
            QCOMPARE(dialog->CodeField()->selectedText(), QStringLiteral("../x"));
            dialog->CodeField()->setText(QStringLiteral(" zzzz "));
            testing::AnswerNextMessageBox(QMessageBox::Ok, &said.emplaceBack());
            dialog->accept();
        });
        frame.Action(CommandId::FileNew)->trigger();
        QTRY_VERIFY(!testing::AnswersPending());
        testing::AnswerNextMessageBox(QMessageBox::Cancel, &said.emplaceBack());
        QVERIFY(!frame.close());
        const QString ask = QStringLiteral("Save changes to KSFO?");
        QCOMPARE(said, (QStringList{ask, "Open Airport", "&Load *.tms file",
                                    QString::fromLatin1(kBadCodeMessage), "Cannot find ZZZZ", ask}));
        QCOMPARE(app.GetDocument().m_szCode, std::string("KSFO"));
        QVERIFY(app.GetDocument().IsModified());
        QCOMPARE(frame.windowTitle(), QStringLiteral("KSFO[*] - Rollpath"));
        QVERIFY(frame.isVisible() && frame.isWindowModified());
        testing::AnswerNextMessageBox(QMessageBox::No);
        QVERIFY(frame.close());
        QVERIFY(!frame.isVisible());
    }

    void openListsTheSavedAirportsAndTheRecentFilesReopenThem() {
        InstallSamples();
        StoreFlyDir(FlyDir());
        {
            CRollpathApp app;
            QVERIFY(app.InitInstance(Line({"KSFO"})));
            CMainFrame& frame = *app.MainFrame();
            app.GetDocument().SetModifiedFlag(true);
            frame.UpdateActions();
            frame.OnCommand(CommandId::FileSave);
            QVERIFY(std::filesystem::exists(Dir() / "project" / "Rollpath.rpj"));

            // A second airport in the list: they are listed sorted, the
            // first one selected; safe mode is ticked for this one opening.
            QVERIFY(app.OpenDocumentFile("KBOS"));
            app.GetDocument().SetModifiedFlag(true);
            frame.UpdateActions();
            frame.OnCommand(CommandId::FileSave);
            QStringList shown;
            testing::AnswerNextModal<ModelQtDialog>([&shown](ModelQtDialog* dialog) {
                shown = Shown(dialog);
                qobject_cast<QListWidget*>(dialog->ControlWidget(1023))->setCurrentRow(1);
                qobject_cast<QCheckBox*>(dialog->ControlWidget(1102))->click();
                dialog->accept();
            });
            frame.Action(CommandId::FileOpen)->trigger();
            QCOMPARE(shown,
                     (QStringList{"Open Project", "KBOS *", "KSFO", "Airports", "&No polygons (safe mode)"}));
            QCOMPARE(app.GetDocument().m_szCode, std::string("KSFO"));
            QCOMPARE(app.GetDocument().m_bSafeMode, 1);
            QCOMPARE(frame.windowTitle(), QStringLiteral("KSFO[*] - Rollpath"));

            // The recent files: KSFO first, shown as "&1 KSFO".
            frame.UpdateActions();
            const auto& recent = frame.RecentFileActions();
            QCOMPARE(recent[0]->text(), QStringLiteral("&1 KSFO"));
            QVERIFY(recent[0]->isEnabled());
            QCOMPARE(recent[1]->text(), QStringLiteral("&2 KBOS"));
            recent[0]->trigger();
            QCOMPARE(app.GetDocument().m_szCode, std::string("KSFO"));
            QCOMPARE(app.GetDocument().m_bSafeMode, 0);
            QVERIFY(frame.close());
        }
        QCOMPARE(Stored("Recent File List/File1").toString(), QStringLiteral("KSFO"));
        // An entry that no longer opens leaves the list.
        {
            QSettings raw(QStringLiteral("Marrowvale"), QStringLiteral("Rollpath"));
            raw.setValue(QStringLiteral("Recent File List/File2"), QStringLiteral("NONE"));
        }
        CRollpathApp app;
        StartAnswering(app, std::nullopt, Line());
        QCOMPARE(app.RecentFiles(), (std::vector<std::string>{"KSFO", "NONE"}));
        testing::AnswerNextMessageBox(QMessageBox::Ok);
        QVERIFY(!app.OpenRecentFile(1));
        QCOMPARE(app.RecentFiles(), std::vector<std::string>{"KSFO"});
        QCOMPARE(app.MainFrame()->windowTitle(), QStringLiteral("Untitled[*] - Rollpath"));
    }
};

}  // namespace rollpath

QTEST_MAIN(rollpath::AppStartTest)
#include "AppStartTest.moc"
