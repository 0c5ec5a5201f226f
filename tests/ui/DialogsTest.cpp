// The dialogs built offscreen over their models: fields, read-only fields, a
// list, check boxes, radio groups, spin buttons and enabling, the modal host,
// and numbers under a decimal-comma locale.

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <clocale>

#include "ModalAnswer.h"
#include "support/DecimalCommaLocale.h"
#include "support/NetworkBuilder.h"
#include "ui/ModelQtDialog.h"
#include "ui/PreferencesSheet.h"
#include "ui/QtDialogHost.h"
#include "ui/RollpathPage.h"
#include "ui/SpinButton.h"
#include "ui/SpinField.h"
#include "view/dialogs/AirportPropertiesModel.h"
#include "view/dialogs/PolygonPropertiesModel.h"
#include "view/dialogs/RollpathPropertiesModel.h"
#include "view/dialogs/RollpathWidthModel.h"
#include "view/dialogs/RunwayPropertiesModel.h"
#include "view/dialogs/VertexPropertiesModel.h"

namespace rollpath {

namespace {

QString Degrees(const char* utf8) {
    return QString::fromUtf8(utf8);
}

}  // namespace

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

    bool ReadOnly(ModelQtDialog& dialog, int id) { return Widget<QLineEdit>(dialog, id)->isReadOnly(); }

    QString LabelText(ModelQtDialog& dialog, int id) {
        auto* label = qobject_cast<QLabel*>(dialog.LabelOf(id));
        return label != nullptr ? label->text() : QString();
    }

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

    QStringList GroupTitles(ModelQtDialog& dialog) {
        QStringList titles;
        for (const QGroupBox* box : dialog.findChildren<QGroupBox*>()) {
            titles.append(box->title());
        }
        return titles;
    }

    CRollpathDoc doc_;

private slots:
    void cleanup() { testing::CancelPendingAnswers(); }

    void init() {
        doc_.CleanUp();
        doc_.m_Airport.name = "SAN FRANCISCO INTL";
        doc_.m_Airport.lat = 37.618544;
        doc_.m_Airport.lon = -122.375478;
        doc_.m_Airport.elevation = 13;
    }

    void airportProperties() {
        testing::AddRunway(doc_, DPoint{-3500.0, 0.0}, DPoint{3500.0, 0.0}, 150).closed = 1;
        testing::AddRunway(doc_, DPoint{0.0, -2000.0}, DPoint{0.0, 2000.0}, 75, "18", "36");
        AirportPropertiesModel model(doc_);
        ModelQtDialog dialog(model);
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Airport Properties"));
        QCOMPARE(Text(dialog, 1018), QStringLiteral("SAN FRANCISCO INTL"));
        QCOMPARE(Text(dialog, 1019), Degrees(" 37\u00b0 37' 06.7584\" N"));
        QVERIFY(ReadOnly(dialog, 1018));
        QCOMPARE(LabelText(dialog, 1018), QStringLiteral("Name"));
        auto* list = Widget<QListWidget>(dialog, 1045);
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(0)->text(), QStringLiteral("09/27\tAsphalt\t7000'   x   150'\tclosed"));
        QCOMPARE(list->item(1)->text(), QStringLiteral("18/36\tAsphalt\t4000'   x   75'"));
        // Information only: OK and nothing else.
        const auto* buttons = dialog.findChild<QDialogButtonBox*>();
        QCOMPARE(buttons->standardButtons(), QDialogButtonBox::StandardButtons(QDialogButtonBox::Ok));
    }

    void rollpathProperties() {
        const int a = testing::AddVertexAt(doc_, 0.0, 0.0);
        const int b = testing::AddVertexAt(doc_, 300.0, 400.0);
        RollpathSegment& s = testing::AddSegment(doc_, a, b, 12.0);
        s.endClass0 = EndClass::Rollpath;
        s.endClass1 = EndClass::RunwayEnd;
        RollpathPropertiesModel model(doc_, s);
        ModelQtDialog dialog(model);
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Rollpath Properties"));
        QCOMPARE(LabelText(dialog, 1031), QStringLiteral("&Width"));
        QCOMPARE(Text(dialog, 1031), QStringLiteral("12.0"));
        QVERIFY(!ReadOnly(dialog, 1031));
        QVERIFY(ReadOnly(dialog, 1057));
        QCOMPARE(GroupTitles(dialog), (QStringList{QStringLiteral("&Type"), QStringLiteral("Vertices")}));
        QVERIFY(Widget<QRadioButton>(dialog, 1038)->isChecked());
        QVERIFY(!Widget<QRadioButton>(dialog, 1037)->isChecked());

        // The spin: 1.0 up, 0.1 down with "x 0.1".
        Step(dialog, 1032, true);
        QCOMPARE(Text(dialog, 1031), QStringLiteral("13.0"));
        TypeInto(dialog, 1031, QStringLiteral("12.0"));
        Click(dialog, 1034);
        Step(dialog, 1032, false);
        QCOMPARE(Text(dialog, 1031), QStringLiteral("11.9"));
        QTest::keyClick(Widget<QLineEdit>(dialog, 1031), Qt::Key_Up);
        QCOMPARE(Text(dialog, 1031), QStringLiteral("12.0"));

        const int seven[] = {1069, 1070, 1099, 1101, 1071, 1072, 1104};
        QVERIFY(Widget<QCheckBox>(dialog, 1071)->isEnabled());  // Runway Hold: one end on a runway
        QVERIFY(!Widget<QCheckBox>(dialog, 1104)->isEnabled());
        Click(dialog, 1033);
        for (const int id : seven) {
            QVERIFY2(!Widget<QCheckBox>(dialog, id)->isEnabled(), qPrintable(QString::number(id)));
        }
        Click(dialog, 1033);
        Click(dialog, 1037);
        QVERIFY(Widget<QRadioButton>(dialog, 1037)->isChecked());
        QVERIFY(!Widget<QRadioButton>(dialog, 1038)->isChecked());
        QVERIFY(!Widget<QCheckBox>(dialog, 1033)->isEnabled());
        // Clicking the chosen button keeps it chosen.
        Click(dialog, 1037);
        QVERIFY(Widget<QRadioButton>(dialog, 1037)->isChecked());
        QCOMPARE(Widget<QCheckBox>(dialog, 1069)->text(), QStringLiteral("No &Markings"));

        TypeInto(dialog, 1031, QStringLiteral("35.5"));
        dialog.accept();
        QCOMPARE(model.GetResult().width, 35.5);
        QCOMPARE(model.GetResult().type, SegmentType::RunwayCentreLine);
    }

    void aModalDialogRunsThroughTheHost() {
        QWidget owner;
        QtDialogHost host(&owner);
        RollpathWidthModel model(20.0);
        QTimer::singleShot(0, this, [this] {
            auto* dialog = qobject_cast<ModelQtDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            TypeInto(*dialog, 1028, QStringLiteral("33"));
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        QVERIFY(host.RunDialog(model));
        QCOMPARE(model.Width(), 33.0);

        RollpathWidthModel cancelled(20.0);
        QTimer::singleShot(0, this, [] {
            auto* dialog = qobject_cast<ModelQtDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        QVERIFY(!host.RunDialog(cancelled));
    }

    // The editor adopts the user's locale; a German one writes numbers with
    // a decimal comma. The fields show and read a point whatever it is,
    // take a typed comma without losing the fraction, and a width out of
    // range is refused with the standard message, its field selected again.
    void underAGermanLocaleNumbersKeepTheirFractionAndWidthsTheirRange() {
        QVERIFY2(std::setlocale(LC_ALL, testing::kDecimalCommaLocale) != nullptr,
                 "run scripts/setup for the decimal-comma locale");
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const auto restore = qScopeGuard([] {
            std::setlocale(LC_ALL, "C");
            QLocale::setDefault(QLocale::c());
        });

        RollpathWidthModel comma(12.0);
        ModelQtDialog first(comma);
        first.show();
        QCOMPARE(Text(first, 1028), QStringLiteral("12.0"));
        TypeInto(first, 1028, QStringLiteral("12,5"));
        first.accept();
        QCOMPARE(comma.Width(), 12.5);

        RollpathWidthModel range(12.0);
        ModelQtDialog dialog(range);
        dialog.show();
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
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(range.Width(), 1000.0);

        Settings settings;
        CPreferencesSheet sheet(settings);
        QCOMPARE(sheet.RollpathPage().Field(1061)->Text(), QStringLiteral(" 1.00"));
        QTimer::singleShot(0, &sheet, [&sheet] {
            sheet.RollpathPage().Field(1061)->SetText(QStringLiteral("1.25"));
            sheet.RollpathPage().Field(1062)->SetText(QStringLiteral("2,75"));
            sheet.Buttons()->button(QDialogButtonBox::Ok)->click();
        });
        QVERIFY(sheet.Run());
        QCOMPARE(settings.EdgeWidth, 1.25);
        QCOMPARE(settings.EdgeInset, 2.75);
    }

    void fileFiltersInQtsForm() {
        QCOMPARE(QtNameFilters("Bitmap Files|*.bmp||"), QStringList{QStringLiteral("Bitmap Files (*.bmp)")});
        QCOMPARE(QtNameFilters("Pictures|*.bmp;*.dib|All Files|*.*||"),
                 (QStringList{QStringLiteral("Pictures (*.bmp *.dib)"), QStringLiteral("All Files (*.*)")}));
        QVERIFY(QtNameFilters("").isEmpty());
    }
};

}  // namespace rollpath

QTEST_MAIN(rollpath::DialogsTest)
#include "DialogsTest.moc"
