// The Preferences sheet on the offscreen platform: its pages' controls and
// texts, the refusals that keep it open, the decimal spins with and without
// Shift, the folder browsers, the colour chooser's custom colours, and the
// copy back on OK only.

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionSpinBox>
#include <QTabWidget>
#include <QtTest>
#include <functional>
#include <vector>

#include "ModalAnswer.h"
#include "qtcanvas/QtCanvas.h"
#include "ui/ColorPage.h"
#include "ui/GeneralPage.h"
#include "ui/PreferencesSheet.h"
#include "ui/RollpathPage.h"
#include "ui/SpinField.h"

namespace rollpath {

class PreferencesSheetTest : public QObject {
    Q_OBJECT

private:
    static QStringList GroupTitles(QWidget* page) {
        QStringList titles;
        for (QGroupBox* box : page->findChildren<QGroupBox*>()) {
            titles << box->title();
        }
        return titles;
    }

    static QStringList LabelTexts(QWidget* page) {
        QStringList texts;
        for (QLabel* label : page->findChildren<QLabel*>()) {
            texts << label->text();
        }
        return texts;
    }

    static QPoint UpArrow(CSpinField* field) {
        QStyleOptionSpinBox option;
        option.initFrom(field);
        option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown | QStyle::SC_SpinBoxFrame |
                             QStyle::SC_SpinBoxEditField;
        option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
        option.buttonSymbols = field->buttonSymbols();
        option.frame = field->hasFrame();
        return field->style()
            ->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, field)
            .center();
    }

    // Presses OK on the sheet while it runs.
    static void PressOk(CPreferencesSheet& sheet) { sheet.Buttons()->button(QDialogButtonBox::Ok)->click(); }

private slots:
    void cleanup() { testing::CancelPendingAnswers(); }

    void thePagesInTheirOrderWithTheirTitles() {
        Settings settings;
        CPreferencesSheet sheet(settings);
        QCOMPARE(sheet.windowTitle(), QStringLiteral("Preferences"));
        QCOMPARE(sheet.Tabs()->count(), 4);
        QCOMPARE(sheet.Tabs()->tabText(0), QStringLiteral("General"));
        QCOMPARE(sheet.Tabs()->tabText(1), QStringLiteral("Rollpaths"));
        QCOMPARE(sheet.Tabs()->tabText(2), QStringLiteral("Colors"));
        QCOMPARE(sheet.Tabs()->tabText(3), QStringLiteral("Checks"));
    }

    void theGeneralPageShowsTheSettings() {
        Settings settings;
        settings.FlyDir = "/sim";
        settings.OutputDir = "/sim/Data";
        settings.MaxSegLength = 30;
        settings.PodFilesFirst = 0;
        CPreferencesSheet sheet(settings);
        CGeneralPage& page = sheet.GeneralPage();
        // The group box keeps the caption it has always had.
        QCOMPARE(GroupTitles(&page), (QStringList{"Sensitivities", "Rotation Increment"}));
        const QStringList labels = LabelTexts(&page);
        for (const char* label :
             {"&Vertex", "&Segment", "&Polygon", "&Bezier Depth", "&Fly! Path", "&Output"}) {
            QVERIFY2(labels.contains(QString::fromUtf8(label)), label);
        }
        QCOMPARE(labels.count(QStringLiteral("ft")), 3);
        QCOMPARE(page.Field(1049)->Text(), QStringLiteral("25"));
        QCOMPARE(page.Field(1051)->Text(), QStringLiteral("30"));
        QCOMPARE(page.Field(1055)->Text(), QStringLiteral("25"));
        QCOMPARE(page.Field(1065)->Text(), QStringLiteral("5"));
        QCOMPARE(page.FlyPathField()->text(), QStringLiteral("/sim"));
        QCOMPARE(page.OutputField()->text(), QStringLiteral("/sim/Data"));
        QCOMPARE(page.findChild<QCheckBox*>(QStringLiteral("1091"))->text(),
                 QStringLiteral("Precise &Clipping"));
        QVERIFY(page.findChild<QCheckBox*>(QStringLiteral("1091"))->isChecked());
        QCOMPARE(page.findChild<QCheckBox*>(QStringLiteral("1103"))->text(),
                 QStringLiteral("S&earch POD Files First"));
        QVERIFY(!page.findChild<QCheckBox*>(QStringLiteral("1103"))->isChecked());
    }

    void theRotationRadioOfTheSettingIsChecked() {
        Settings settings;  // Rotation 2: "1.0°"
        {
            CPreferencesSheet sheet(settings);
            QCOMPARE(sheet.GeneralPage().RotationRadio(0)->text(), QString::fromUtf8(".25\u00b0"));
            QCOMPARE(sheet.GeneralPage().RotationRadio(1)->text(), QString::fromUtf8(".50\u00b0"));
            QCOMPARE(sheet.GeneralPage().RotationRadio(2)->text(), QString::fromUtf8("1.0\u00b0"));
            QVERIFY(sheet.GeneralPage().RotationRadio(2)->isChecked());
            QVERIFY(!sheet.GeneralPage().RotationRadio(0)->isChecked());
            QCOMPARE(sheet.GeneralPage().RotationRadio(2)->objectName(), QStringLiteral("1026"));
        }
        settings.Rotation = 0;
        CPreferencesSheet sheet(settings);
        QVERIFY(sheet.GeneralPage().RotationRadio(0)->isChecked());
        // Choosing another and pressing OK hands it back.
        QTimer::singleShot(0, &sheet, [&sheet] {
            sheet.GeneralPage().RotationRadio(1)->click();
            PressOk(sheet);
        });
        QVERIFY(sheet.Run());
        QCOMPARE(settings.Rotation, 1);
    }

    // A number outside its field's range is refused with the standard
    // message, the field selected again and nothing taken; the ends are taken.
    void numbersOutsideTheirRangesAreRefusedAndTheSheetStaysOpen() {
        struct Row {
            int tab;
            int control;
            std::vector<const char*> outside;
            const char* message;
            std::vector<const char*> ends;
            std::function<double(const Settings&)> value;
        };
        const Row rows[] = {
            {0,
             1065,
             {"11", "2"},
             "Please enter an integer between 3 and 10.",
             {"3", "10"},
             [](const Settings& s) { return double(s.BezierDepth); }},
            {1,
             1061,
             {"-5", "0.09", "10.01"},
             "Please enter a number between 0.1 and 10.",
             {"0.1", "10"},
             [](const Settings& s) { return s.EdgeWidth; }},
        };
        for (const Row& row : rows) {
            const auto page = [&row](CPreferencesSheet& sheet) -> CFieldPage& {
                return row.tab == 0 ? static_cast<CFieldPage&>(sheet.GeneralPage())
                                    : static_cast<CFieldPage&>(sheet.RollpathPage());
            };
            for (const char* text : row.outside) {
                Settings settings;
                CPreferencesSheet sheet(settings);
                QString message;
                bool stillOpen = false;
                bool fieldFocused = false;
                QTimer::singleShot(0, &sheet, [&] {
                    sheet.Tabs()->setCurrentIndex(row.tab);
                    CSpinField* field = page(sheet).Field(row.control);
                    field->SetText(QString::fromLatin1(text));
                    testing::AnswerNextMessageBox(QMessageBox::Ok, &message);
                    PressOk(sheet);
                    stillOpen = sheet.isVisible();
                    fieldFocused =
                        sheet.focusWidget() == field && field->SelectedText() == QString::fromLatin1(text);
                    sheet.reject();
                });
                QVERIFY(!sheet.Run());
                QCOMPARE(message, QString::fromLatin1(row.message));
                QVERIFY(stillOpen);
                QVERIFY2(fieldFocused, text);
                QCOMPARE(row.value(settings), row.value(Settings{}));
            }
            for (const char* text : row.ends) {
                Settings settings;
                CPreferencesSheet sheet(settings);
                QTimer::singleShot(0, &sheet, [&] {
                    sheet.Tabs()->setCurrentIndex(row.tab);
                    page(sheet).Field(row.control)->SetText(QString::fromLatin1(text));
                    PressOk(sheet);
                });
                QVERIFY(sheet.Run());
                QCOMPARE(row.value(settings), QString::fromLatin1(text).toDouble());
            }
        }
    }

    void aRefusedFieldKeepsItsPageWhenAnotherTabIsChosen() {
        Settings settings;
        CPreferencesSheet sheet(settings);
        sheet.show();
        sheet.GeneralPage().Field(1049)->SetText(QStringLiteral("vertex"));
        QString message;
        testing::AnswerNextMessageBox(QMessageBox::Ok, &message);
        sheet.Tabs()->setCurrentIndex(1);
        QCOMPARE(message, QStringLiteral("Please enter an integer."));
        QCOMPARE(sheet.Tabs()->currentIndex(), 0);
        sheet.GeneralPage().Field(1049)->SetText(QStringLiteral("40"));
        sheet.Tabs()->setCurrentIndex(1);
        QCOMPARE(sheet.Tabs()->currentIndex(), 1);
    }

    void edgeOffsetStepsByATenthWithShiftAndAHundredthWithout() {
        Settings settings;  // LiteOffset 5.00
        {
            CPreferencesSheet sheet(settings);
            sheet.show();
            sheet.Tabs()->setCurrentIndex(1);
            CSpinField* field = sheet.RollpathPage().Field(1072);
            QCOMPARE(field->Text(), QStringLiteral(" 5.00"));
            QTest::mouseClick(field, Qt::LeftButton, Qt::ShiftModifier, UpArrow(field));
            QCOMPARE(field->Text(), QStringLiteral(" 5.10"));
        }
        {
            Settings fresh;
            CPreferencesSheet sheet(fresh);
            sheet.show();
            sheet.Tabs()->setCurrentIndex(1);
            CSpinField* field = sheet.RollpathPage().Field(1072);
            QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, UpArrow(field));
            QCOMPARE(field->Text(), QStringLiteral(" 5.01"));
            // The keys step the same way.
            QTest::keyClick(field, Qt::Key_Down);
            QCOMPARE(field->Text(), QStringLiteral(" 5.00"));
            QTest::keyClick(field, Qt::Key_Up, Qt::ShiftModifier);
            QCOMPARE(field->Text(), QStringLiteral(" 5.10"));
        }
    }

    void typedTextStaysInAFieldThatLosesTheFocus() {
        Settings settings;
        CPreferencesSheet sheet(settings);
        sheet.show();
        CSpinField* depth = sheet.GeneralPage().Field(1065);
        depth->SelectField();
        QTest::keyClicks(depth, QStringLiteral("99"));
        sheet.GeneralPage().FlyPathField()->setFocus();
        QCOMPARE(depth->Text(), QStringLiteral("99"));
    }

    void theRollpathPageShowsEveryMeasure() {
        Settings settings;
        settings.EdgeWidth = 1.25;
        CPreferencesSheet sheet(settings);
        CRollpathPage& page = sheet.RollpathPage();
        QCOMPARE(GroupTitles(&page), (QStringList{"Marking", "Runway Exit", "Lighting"}));
        const QStringList labels = LabelTexts(&page);
        for (const char* label : {"Line &Width", "Edge &Inset", "&Short", "&Center Offset", "&Length",
                                  "&Maximum", "Edge &Offset", "S&pacing"}) {
            QVERIFY2(labels.contains(QString::fromUtf8(label)), label);
        }
        QCOMPARE(labels.count(QStringLiteral("ft")), 8);
        QCOMPARE(page.Field(1061)->Text(), QStringLiteral(" 1.25"));
        QCOMPARE(page.Field(1062)->Text(), QStringLiteral(" 2.00"));
        QCOMPARE(page.Field(1080)->Text(), QStringLiteral(" 3.50"));
        QCOMPARE(page.Field(1067)->Text(), QStringLiteral("50"));
        QCOMPARE(page.Field(1076)->Text(), QStringLiteral("200"));
        QCOMPARE(page.Field(1078)->Text(), QStringLiteral("500"));
        QCOMPARE(page.Field(1074)->Text(), QStringLiteral("100"));
    }

    // Each number field has room for its widest allowed value in the sheet's
    // own font, and the Rollpaths page's fields stand in one column.
    void everyFieldHasRoomForItsWidestValue() {
        Settings settings;
        CPreferencesSheet sheet(settings);
        sheet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));
        const std::pair<int, const char*> widest[] = {{1049, "32767"}, {1051, "32767"},   {1055, "32767"},
                                                      {1065, "10"},    {1061, "-999.99"}, {1062, "-999.99"},
                                                      {1067, "1000"},  {1080, "-999.99"}, {1076, "1000"},
                                                      {1078, "10000"}, {1072, "-999.99"}, {1074, "1000"}};
        for (const auto& [control, text] : widest) {
            CFieldPage& page = control == 1049 || control == 1051 || control == 1055 || control == 1065
                                   ? static_cast<CFieldPage&>(sheet.GeneralPage())
                                   : static_cast<CFieldPage&>(sheet.RollpathPage());
            sheet.Tabs()->setCurrentWidget(&page);
            QTest::qWait(0);
            const QLineEdit* edit = page.Field(control)->findChild<QLineEdit*>();
            const int needed = edit->fontMetrics().horizontalAdvance(QString::fromLatin1(text));
            // A line edit keeps a two-pixel margin on each side of its text.
            QVERIFY2(edit->contentsRect().width() - 4 >= needed, qPrintable(QString::number(control)));
        }
        CRollpathPage& rollpaths = sheet.RollpathPage();
        const QRect first = rollpaths.Field(1061)->geometry().translated(
            rollpaths.Field(1061)->parentWidget()->mapTo(&rollpaths, QPoint(0, 0)));
        for (const int control : {1062, 1067, 1080, 1076, 1078, 1072, 1074}) {
            CSpinField* field = rollpaths.Field(control);
            const QRect r =
                field->geometry().translated(field->parentWidget()->mapTo(&rollpaths, QPoint(0, 0)));
            QCOMPARE(r.left(), first.left());
            QCOMPARE(r.width(), first.width());
        }
    }

    void folderButtonsBrowseWithTheirTitlesFromTheFieldsText() {
        Settings settings;
        settings.FlyDir = "/old";
        CPreferencesSheet sheet(settings);
        CGeneralPage& page = sheet.GeneralPage();
        QStringList asked;
        std::optional<std::string> answer = "/new/fly";
        page.SetFolderBrowser([&](QWidget*, const QString& title, const QString& initial) {
            asked << title + QStringLiteral("|") + initial;
            return answer;
        });
        page.FlyPathBrowseButton()->click();
        QCOMPARE(page.FlyPathField()->text(), QStringLiteral("/new/fly"));
        page.OutputField()->setText(QStringLiteral("/out"));
        answer.reset();
        page.OutputBrowseButton()->click();
        QCOMPARE(page.OutputField()->text(), QStringLiteral("/out"));
        QCOMPARE(asked, (QStringList{"Choose Fly! Path|/old", "Choose Data Output Path|/out"}));
        QCOMPARE(page.FlyPathBrowseButton()->objectName(), QStringLiteral("1015"));
        QCOMPARE(page.OutputBrowseButton()->objectName(), QStringLiteral("1016"));
    }

    void okHandsEveryPageBackAndCancelNothing() {
        Settings settings;
        {
            CPreferencesSheet sheet(settings);
            QTimer::singleShot(0, &sheet, [&sheet] {
                sheet.GeneralPage().FlyPathField()->setText(QStringLiteral("/typed"));
                sheet.RollpathPage().Field(1061)->SetText(QStringLiteral("1.5"));
                sheet.RollpathPage().Field(1074)->SetText(QStringLiteral("80"));
                sheet.reject();
            });
            QVERIFY(!sheet.Run());
            QCOMPARE(settings, Settings{});
        }
        CPreferencesSheet sheet(settings);
        QTimer::singleShot(0, &sheet, [&sheet] {
            sheet.GeneralPage().FlyPathField()->setText(QStringLiteral("/typed"));
            sheet.GeneralPage().findChild<QCheckBox*>(QStringLiteral("1091"))->setChecked(false);
            sheet.RollpathPage().Field(1061)->SetText(QStringLiteral("1.5"));
            sheet.RollpathPage().Field(1062)->SetText(QStringLiteral("not a number"));
            sheet.RollpathPage().Field(1074)->SetText(QStringLiteral("80"));
            PressOk(sheet);
        });
        QVERIFY(sheet.Run());
        QCOMPARE(settings.FlyDir, std::string("/typed"));
        QCOMPARE(settings.PreciseClipping, 0);
        QCOMPARE(settings.EdgeWidth, 1.5);
        QCOMPARE(settings.EdgeInset, 2.0);
        QCOMPARE(settings.LiteSpacing, 80);
    }

    void theColorPageShowsSixSwatches() {
        Settings settings;
        CPreferencesSheet sheet(settings);
        CColorPage& page = sheet.ColorPage();
        QCOMPARE(GroupTitles(&page), (QStringList{"Runway Colors", "Rollpath Color", "Polygon Color"}));
        const QStringList labels = LabelTexts(&page);
        QCOMPARE(labels, (QStringList{"Asphalt", "Concrete", "Turf", "Dirt", "Rollpath", "Polygon"}));
        QCOMPARE(page.Swatch(2)->Color(), Rgb(0, 128, 0));
        QCOMPARE(page.Swatch(2)->objectName(), QStringLiteral("1087"));
        QCOMPARE(page.ChooseButton(3)->objectName(), QStringLiteral("1090"));
        sheet.show();
        sheet.Tabs()->setCurrentIndex(2);
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));
        const QImage image = page.Swatch(3)->grab().toImage();
        QCOMPARE(image.pixelColor(image.width() / 2, image.height() / 2), QColor(128, 64, 0));
    }

    // The custom colours belong to the application: a colour added in the
    // chooser stays even when the sheet is cancelled; the swatch's colour
    // needs OK.
    void cancelKeepsTheAsphaltColourButKeepsCustomColours() {
        Settings settings;
        const QColor red(200, 20, 30);
        const QColor added(10, 220, 40);
        CPreferencesSheet sheet(settings);
        ColorRef swatchAfterChooser = 0;
        QTimer::singleShot(0, &sheet, [&] {
            sheet.Tabs()->setCurrentIndex(2);
            testing::AnswerNextModal<QColorDialog>([&](QColorDialog* dialog) {
                dialog->setCurrentColor(added);
                for (QPushButton* b : dialog->findChildren<QPushButton*>()) {
                    if (b->text() == QStringLiteral("&Add to Custom Colors")) {
                        b->click();
                    }
                }
                dialog->setCurrentColor(red);
                dialog->accept();
            });
            sheet.ColorPage().ChooseButton(0)->click();
            swatchAfterChooser = sheet.ColorPage().Swatch(0)->Color();
            sheet.reject();
        });
        QVERIFY(!sheet.Run());
        QCOMPARE(swatchAfterChooser, Rgb(200, 20, 30));
        QCOMPARE(settings.AsphaltColor, Rgb(0, 0, 0));
        const ColorRef wanted = Rgb(10, 220, 40);
        QVERIFY(std::find(settings.CustomColors.begin(), settings.CustomColors.end(), wanted) !=
                settings.CustomColors.end());
        // The chooser starts from the application's custom colours.
        QCOMPARE(QColorDialog::customColor(15), QtCanvas::ToQColor(settings.CustomColors[15]));
    }

    void aCancelledChooserLeavesTheSwatch() {
        Settings settings;
        CPreferencesSheet sheet(settings);
        sheet.show();
        testing::AnswerNextModal<QColorDialog>([](QColorDialog* dialog) {
            dialog->setCurrentColor(QColor(1, 2, 3));
            dialog->reject();
        });
        sheet.ColorPage().ChooseButton(4)->click();
        QCOMPARE(sheet.ColorPage().Swatch(4)->Color(), Rgb(192, 192, 192));
        QTimer::singleShot(0, &sheet, [&sheet] { PressOk(sheet); });
        QVERIFY(sheet.Run());
        QCOMPARE(settings.RollpathColor, Rgb(192, 192, 192));
    }
};

}  // namespace rollpath

QTEST_MAIN(rollpath::PreferencesSheetTest)
#include "PreferencesSheetTest.moc"
