#include "app/RollpathApp.h"

#include <QApplication>
#include <QRect>
#include <cstdio>

#include "app/CommandLine.h"
#include "app/QtSettingsStore.h"
#include "app/Settings.h"
#include "document/ProgramDir.h"
#include "document/RollpathDoc.h"
#include "ui/MainFrame.h"
#include "ui/QtMessageSink.h"

namespace rollpath {

namespace {

void PlaceWindow(CMainFrame& frame, const WindowRect& r) {
    frame.setGeometry(QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)));
}

WindowRect NormalRectOf(const CMainFrame& frame) {
    const QRect g = frame.normalGeometry().isValid() ? frame.normalGeometry() : frame.geometry();
    return WindowRect{g.left(), g.top(), g.right() + 1, g.bottom() + 1};
}

}  // namespace

int RunRollpathApp(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Marrowvale"));
    QApplication::setApplicationName(QStringLiteral("Rollpath"));

    const EditorCommandLine line = ParseEditorCommandLine(QApplication::arguments());
    if (!line.error.empty()) {
        std::fprintf(stderr, "rollpath: %s\n%s", line.error.c_str(), kEditorUsage);
        return 2;
    }
    if (line.help) {
        std::fputs(kEditorUsage, stdout);
        return 0;
    }

    QtSettingsStore store;
    Settings settings = LoadSettings(store);
    // The folders given on the command line hold for this run only.
    const std::string storedFlyDir = settings.FlyDir;
    const std::string storedOutputDir = settings.OutputDir;
    if (line.flyDir) {
        settings.FlyDir = *line.flyDir;
    }
    if (line.outputDir) {
        settings.OutputDir = *line.outputDir;
    }

    QtMessageSink messages;
    CRollpathDoc doc;
    doc.SetSettings(&settings);
    doc.SetMessageSink(&messages);
    doc.SetProgramDir(line.projectDir ? std::filesystem::path(*line.projectDir) : DefaultProgramDir());

    CMainFrame frame(doc, messages);
    messages.SetParent(&frame);
    PlaceWindow(frame, settings.Size);
    frame.show();
    if (line.code) {
        FixedOpenAirportDialog dialog(OpenAirportChoice{*line.code, false});
        frame.OpenAirport(dialog);
    }
    const int status = QApplication::exec();

    settings.Size = NormalRectOf(frame);
    settings.FlyDir = storedFlyDir;
    settings.OutputDir = storedOutputDir;
    SaveSettings(settings, store);
    store.Sync();
    return status;
}

}  // namespace rollpath
