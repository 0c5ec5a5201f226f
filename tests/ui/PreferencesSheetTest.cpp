// The Preferences sheet on the offscreen platform: the refusals that keep it
// open, the decimal spins with and without Shift, room for every number, the
// folder browsers and the colour chooser's custom colours. What the pages
// take and hand back is tested over their models in tests/view.

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

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
    // Presses OK on the sheet while it runs.
    static void PressOk(CPreferencesSheet& sheet) { sheet.Buttons()->button(QDialogButtonBox::Ok)->click(); }

private slots:
    void cleanup() { testing::CancelPendingAnswers(); }

    // A number outside its field's range is refused with the standard
    // message, the field selected again and nothing taken.
    void aNumberOutsideItsRangeIsRefusedAndTheSheetStaysOpen() {
        Settings settings;
        CPreferencesSheet sheet(settings);
        QString message;
        bool stillOpen = false;
        bool fieldFocused = false;
        QTimer::singleShot(0, &sheet, [&] {
            sheet.Tabs()->setCurrentIndex(1);
            CSpinField* field = sheet.RollpathPage().Field(1061);
            field->SetText(QStringLiteral("10.01"));
            testing::AnswerNextMessageBox(QMessageBox::Ok, &message);
            PressOk(sheet);
            stillOpen = sheet.isVisible();
            fieldFocused = sheet.focusWidget() == field && field->SelectedText() == QStringLiteral("10.01");
            sheet.reject();
        });
        QVERIFY(!sheet.Run());
        QCOMPARE(message, QStringLiteral("Please enter a number between 0.1 and 10."));
        QVERIFY(stillOpen);
        QVERIFY(fieldFocused);
        QCOMPARE(settings, Settings{});
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

    // The keys step the edge offset by a hundredth, by a tenth with Shift.
    void edgeOffsetStepsByATenthWithShiftAndAHundredthWithout() {
        Settings settings;  // LiteOffset 5.00
        CPreferencesSheet sheet(settings);
        sheet.show();
        sheet.Tabs()->setCurrentIndex(1);
        CSpinField* field = sheet.RollpathPage().Field(1072);
        QTest::keyClick(field, Qt::Key_Up, Qt::ShiftModifier);
        QTest::keyClick(field, Qt::Key_Down);
        QCOMPARE(field->Text(), QStringLiteral(" 5.09"));
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
};

}  // namespace rollpath

QTEST_MAIN(rollpath::PreferencesSheetTest)
#include "PreferencesSheetTest.moc"
