// The dialogs built offscreen over their models: fields, read-only fields,
// enabling, radio groups, spin buttons, the modal host, and numbers under a
// decimal-comma locale (what enables which control: the models' tests). The Preferences sheet: a refusal
// keeps its page, the decimal spins with and without Shift, the folder
// browsers and the colour chooser's custom colours. What the models take and
// hand back is tested in tests/view.

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <clocale>

#include "ModalAnswer.h"
#include "qtcanvas/QtCanvas.h"
#include "support/DecimalCommaLocale.h"
#include "support/NetworkBuilder.h"
#include "ui/ColorPage.h"
#include "ui/GeneralPage.h"
#include "ui/ModelQtDialog.h"
#include "ui/PreferencesSheet.h"
#include "ui/QtDialogHost.h"
#include "ui/RollpathPage.h"
#include "ui/SpinButton.h"
#include "ui/SpinField.h"
#include "view/dialogs/RollpathPropertiesModel.h"
#include "view/dialogs/RollpathWidthModel.h"

namespace rollpath {

class DialogsTest : public QObject {
    Q_OBJECT

private:
    template <typename W>
    W* Widget(ModelQtDialog& dialog, int id) {
        auto* w = qobject_cast<W*>(dialog.ControlWidget(id));
        if (w == nullptr) {
            qWarning("control %d is missing or of another kind", id);
        }
        return w;
    }

    QString Text(ModelQtDialog& dialog, int id) { return Widget<QLineEdit>(dialog, id)->text(); }

    // Presses an arrow of a spin button as the user would.
    void Step(ModelQtDialog& dialog, int spinId, bool up) {
        auto* spin = Widget<SpinButton>(dialog, spinId);
        QTest::mouseClick(up ? spin->UpArrow() : spin->DownArrow(), Qt::LeftButton);
    }

    // Replaces a field's text by typing.
    void TypeInto(ModelQtDialog& dialog, int id, const QString& text) {
        QLineEdit* edit = Widget<QLineEdit>(dialog, id);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }

    void Click(ModelQtDialog& dialog, int id) {
        QTest::mouseClick(Widget<QAbstractButton>(dialog, id), Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
    }

    CRollpathDoc doc_;

private slots:
    void cleanup() { testing::CancelPendingAnswers(); }

    void init() { doc_.CleanUp(); }

    // The editor adopts the user's locale; a German one writes numbers with
    // a decimal comma. Through the modal host: the fields show and read a
    // point whatever it is and take a typed comma without losing the
    // fraction; a spin steps by one, by a tenth with "x 0.1"; a greyed
    // control follows its model at once; a chosen radio
    // button stays chosen; a width out of range is refused with the standard
    // message, its field selected again; Escape cancels.
    void propertyAndWidthDialogsUnderAGermanLocale() {
        QVERIFY2(std::setlocale(LC_ALL, testing::kDecimalCommaLocale) != nullptr,
                 "run scripts/setup for the decimal-comma locale");
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const auto restore = qScopeGuard([] {
            std::setlocale(LC_ALL, "C");
            QLocale::setDefault(QLocale::c());
        });
        RollpathSegment& s = testing::AddRollpath(doc_, DPoint{0.0, 0.0}, DPoint{300.0, 400.0}, 12.0);
        s.endClass0 = EndClass::Rollpath;
        s.endClass1 = EndClass::RunwayEnd;
        QWidget owner;
        QtDialogHost host(&owner);
        RollpathPropertiesModel properties(doc_, s);
        QTimer::singleShot(0, this, [this] {
            auto& dialog = *qobject_cast<ModelQtDialog*>(QApplication::activeModalWidget());
            auto* label = qobject_cast<QLabel*>(dialog.LabelOf(1031));
            QVERIFY(label != nullptr && label->text() == QStringLiteral("&Width"));
            QVERIFY(Widget<QLineEdit>(dialog, 1057)->isReadOnly());
            Step(dialog, 1032, true);
            QCOMPARE(Text(dialog, 1031), QStringLiteral("13.0"));
            Click(dialog, 1034);
            Step(dialog, 1032, false);
            QCOMPARE(Text(dialog, 1031), QStringLiteral("12.9"));
            Click(dialog, 1033);  // No Polygon greys the other flags at once
            QVERIFY(!Widget<QCheckBox>(dialog, 1069)->isEnabled());
            Click(dialog, 1033);
            Click(dialog, 1037);
            Click(dialog, 1037);
            QVERIFY(Widget<QRadioButton>(dialog, 1037)->isChecked());
            QVERIFY(!Widget<QRadioButton>(dialog, 1038)->isChecked());
            TypeInto(dialog, 1031, QStringLiteral("35,5"));
            dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        QVERIFY(host.RunDialog(properties));
        QCOMPARE(properties.GetResult().width, 35.5);
        QCOMPARE(properties.GetResult().type, SegmentType::RunwayCentreLine);

        RollpathWidthModel width(12.0);
        QTimer::singleShot(0, this, [this] {
            auto& dialog = *qobject_cast<ModelQtDialog*>(QApplication::activeModalWidget());
            QLineEdit* field = Widget<QLineEdit>(dialog, 1028);
            for (const char* refused : {"1500", "0,5"}) {
                TypeInto(dialog, 1028, QString::fromLatin1(refused));
                QString message;
                testing::AnswerNextMessageBox(QMessageBox::Ok, &message);
                dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
                QCOMPARE(message, QStringLiteral("Please enter a number between 1 and 1000."));
                QVERIFY(dialog.isVisible());
                QCOMPARE(field->selectedText(), QString::fromLatin1(refused));
            }
            TypeInto(dialog, 1028, QStringLiteral("1000"));
            dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        QVERIFY(host.RunDialog(width));
        QCOMPARE(width.Width(), 1000.0);

        RollpathWidthModel cancelled(20.0);
        QTimer::singleShot(0, this,
                           [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
        QVERIFY(!host.RunDialog(cancelled));
    }

    // A refused field (the refusals and their messages: tests/view) keeps
    // the sheet on its page; the keys step the edge offset by a hundredth,
    // by a tenth with Shift; the folder buttons browse with their titles
    // from the fields' text.
    void thePreferencesSheetsPagesFieldsAndFolderButtons() {
        Settings settings;  // LiteOffset 5.00
        settings.FlyDir = "/old";
        CPreferencesSheet sheet(settings);
        sheet.show();
        CGeneralPage& page = sheet.GeneralPage();
        page.Field(1049)->SetText(QStringLiteral("vertex"));
        QString message;
        testing::AnswerNextMessageBox(QMessageBox::Ok, &message);
        sheet.Tabs()->setCurrentIndex(1);
        QCOMPARE(message, QStringLiteral("Please enter an integer."));
        QCOMPARE(sheet.Tabs()->currentIndex(), 0);

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

        page.Field(1049)->SetText(QStringLiteral("40"));
        sheet.Tabs()->setCurrentIndex(1);
        QCOMPARE(sheet.Tabs()->currentIndex(), 1);
        CSpinField* field = sheet.RollpathPage().Field(1072);
        QTest::keyClick(field, Qt::Key_Up, Qt::ShiftModifier);
        QTest::keyClick(field, Qt::Key_Down);
        QCOMPARE(field->Text(), QStringLiteral(" 5.09"));
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

QTEST_MAIN(rollpath::DialogsTest)
#include "DialogsTest.moc"
