// rollpath-guide-pictures: the user guide's pictures of the Qt widgets. It
// opens an airport saved in a project folder in the editor's main window and
// grabs the window, the Preferences pages and the dialogs as PNG files, so
// that the guide shows the editor as it is built. scripts/guide-pictures runs
// it under the offscreen platform.

#include <QApplication>
#include <QTabWidget>
#include <QWidget>
#include <filesystem>
#include <iostream>
#include <string>

#include "document/MessageSink.h"
#include "document/RollpathDoc.h"
#include "project/DocumentPipeline.h"
#include "settings/Settings.h"
#include "ui/MainFrame.h"
#include "ui/ModelQtDialog.h"
#include "ui/OpenAirportQtDialog.h"
#include "ui/PreferencesSheet.h"
#include "ui/SetFlyDirQtDialog.h"
#include "ui/ViewWidget.h"
#include "view/CommandIds.h"
#include "view/dialogs/AirportPropertiesModel.h"
#include "view/dialogs/PolygonPropertiesModel.h"
#include "view/dialogs/RollpathPropertiesModel.h"
#include "view/dialogs/VertexPropertiesModel.h"

namespace rollpath {
namespace {

class Grabber {
public:
    explicit Grabber(std::filesystem::path folder) : folder_(std::move(folder)) {}

    // Lays the widget out as it would show and writes what it paints.
    void Save(QWidget& widget, const char* name) {
        widget.show();
        QApplication::processEvents();
        const std::filesystem::path file = folder_ / name;
        if (!widget.grab().save(QString::fromStdString(file.string()))) {
            std::cerr << "rollpath-guide-pictures: cannot write " << file.string() << '\n';
            failed_ = true;
        }
        widget.hide();
    }
    void SaveDialog(DialogModel&& model, const char* name) {
        ModelQtDialog dialog(model);
        Save(dialog, name);
    }
    bool Failed() const { return failed_; }

private:
    std::filesystem::path folder_;
    bool failed_ = false;
};

int Run(int argc, char** argv) {
    if (argc != 5) {
        std::cerr << "usage: rollpath-guide-pictures FLY_DIR PROJECT_DIR CODE OUT_DIR\n";
        return 2;
    }
    QApplication application(argc, argv);
    Settings settings;
    settings.FlyDir = argv[1];
    settings.FlyDirSet = 1;
    RecordingMessageSink messages;
    CRollpathDoc doc;
    doc.SetSettings(&settings);
    doc.SetMessageSink(&messages);
    doc.SetProgramDir(argv[2]);
    if (!OpenAirportByCode(doc, argv[3], false, false)) {
        std::cerr << "rollpath-guide-pictures: cannot open " << argv[3] << '\n';
        return 1;
    }
    Grabber grab(argv[4]);

    CMainFrame frame(doc, messages);
    frame.resize(1000, 700);
    frame.show();
    frame.OnDocumentChanged(true);
    for (const CommandId id : {CommandId::ViewMarkings, CommandId::ViewLights}) {
        frame.Action(id)->trigger();
    }
    grab.Save(frame, "main-window.png");

    // The Preferences as an author's would read, not with the scratch folder.
    Settings shown = settings;
    shown.FlyDir = "/home/author/Fly";
    CPreferencesSheet preferences(shown);
    const char* const pages[] = {"preferences-general.png", "preferences-rollpaths.png",
                                 "preferences-colors.png"};
    for (int i = 0; i < preferences.Tabs()->count() && i < 3; ++i) {
        preferences.Tabs()->setCurrentIndex(i);
        grab.Save(preferences, pages[i]);
    }

    OpenAirportQtDialog open;
    grab.Save(open, "open-airport.png");
    SetFlyDirQtDialog flyDir;
    grab.Save(flyDir, "set-fly-directory.png");

    grab.SaveDialog(AirportPropertiesModel(doc), "airport-properties.png");
    for (const auto& segment : doc.m_pSegments) {
        if (segment->live() && segment->type == SegmentType::Rollpath) {
            grab.SaveDialog(RollpathPropertiesModel(doc, *segment), "rollpath-properties.png");
            grab.SaveDialog(VertexPropertiesModel(doc, segment->vertex1), "vertex-properties.png");
            break;
        }
    }
    for (const auto& polygon : doc.m_pPolygons) {
        if (polygon->live()) {
            grab.SaveDialog(PolygonPropertiesModel(*polygon), "polygon-properties.png");
            break;
        }
    }
    doc.SetModifiedFlag(false);
    return grab.Failed() ? 1 : 0;
}

}  // namespace
}  // namespace rollpath

int main(int argc, char** argv) {
    return rollpath::Run(argc, argv);
}
