// The application's pieces: its command line, the QSettings store and the
// Open Airport dialog.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTimer>
#include <QtTest>

#include "app/CommandLine.h"
#include "app/QtSettingsStore.h"
#include "settings/Settings.h"
#include "support/TempDir.h"
#include "ui/OpenAirportQtDialog.h"

namespace rollpath {

class AppTest : public QObject {
    Q_OBJECT

private slots:
    void commandLineFoldersAndCode() {
        const EditorCommandLine line = ParseEditorCommandLine(
            {"rollpath", "--fly-dir", "/sim", "--output-dir=/out", "--project-dir", "/proj", "KSFO"});
        QVERIFY(line.error.empty());
        QCOMPARE(QString::fromStdString(*line.flyDir), QStringLiteral("/sim"));
        QCOMPARE(QString::fromStdString(*line.outputDir), QStringLiteral("/out"));
        QCOMPARE(QString::fromStdString(*line.projectDir), QStringLiteral("/proj"));
        QCOMPARE(QString::fromStdString(*line.code), QStringLiteral("KSFO"));

        const EditorCommandLine empty = ParseEditorCommandLine({"rollpath"});
        QVERIFY(empty.error.empty());
        QVERIFY(!empty.flyDir && !empty.code);

        QVERIFY(!ParseEditorCommandLine({"rollpath", "--fly-dir"}).error.empty());
        QVERIFY(!ParseEditorCommandLine({"rollpath", "--bogus"}).error.empty());
        QVERIFY(!ParseEditorCommandLine({"rollpath", "KSFO", "KOAK"}).error.empty());
        QVERIFY(ParseEditorCommandLine({"rollpath", "--help"}).help);
        QVERIFY(ParseEditorCommandLine({"rollpath", "--version"}).version);
    }

    void settingsLiveInTheSettingsGroup() {
        testing::TempDir dir("rollpath-settings");
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(dir.path().string()));
        Settings s;
        s.FlyDirSet = 1;
        s.FlyDir = "/sim";
        s.OutputDir = "/sim/Data";
        s.EdgeWidth = 1.25;
        s.TurfColor = Rgb(1, 200, 3);
        s.CustomColors[15] = 0xFFFFFF;
        {
            QtSettingsStore store;
            SaveSettings(s, store);
            store.Sync();
        }
        QSettings raw(QStringLiteral("Marrowvale"), QStringLiteral("Rollpath"));
        QCOMPARE(raw.value(QStringLiteral("Settings/EdgeWidth")).toInt(), 125);
        QCOMPARE(raw.value(QStringLiteral("Settings/FlyDir")).toString(), QStringLiteral("/sim"));
        QCOMPARE(raw.value(QStringLiteral("Settings/TurfColor")).toInt(), 0x03C801);
        QtSettingsStore store;
        QCOMPARE(LoadSettings(store), s);
        QVERIFY(!store.GetInt("NoSuchKey"));
    }

    void openAirportDialogTextsAndChoice() {
        OpenAirportQtDialog dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Open Airport"));
        QCOMPARE(dialog.TmsBox()->text(), QStringLiteral("&Load *.tms file"));
        bool labelled = false;
        for (QLabel* label : dialog.findChildren<QLabel*>()) {
            labelled = labelled || label->text() == QStringLiteral("FAA or ICAO code");
        }
        QVERIFY(labelled);
        QTimer::singleShot(0, &dialog, [&dialog] {
            dialog.CodeField()->setText(QStringLiteral("ksfo"));
            dialog.TmsBox()->setChecked(true);
            dialog.accept();
        });
        const auto choice = dialog.Run();
        QVERIFY(choice.has_value());
        QCOMPARE(QString::fromStdString(choice->code), QStringLiteral("ksfo"));
        QVERIFY(choice->loadTms);
        QTimer::singleShot(0, &dialog, &QDialog::reject);
        QVERIFY(!dialog.Run().has_value());
        QVERIFY(!dialog.WasAccepted());
    }
};

}  // namespace rollpath

QTEST_MAIN(rollpath::AppTest)
#include "AppTest.moc"
