// File > Import GeoJSON... and Export GeoJSON...: a layout from map data as
// one undoable edit, and the airport for GIS tools.

#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QStatusBar>

#include "document/Utf8Path.h"
#include "project/GeoJsonExport.h"
#include "project/GeoJsonImport.h"
#include "ui/MainFrame.h"
#include "ui/ViewWidget.h"

namespace rollpath {

namespace {

constexpr const char* kGeoJsonFilter = "GeoJSON files (*.geojson *.json);;All files (*)";

}  // namespace

void CMainFrame::BuildGeoJsonActions(QMenu* file) {
    importGeoJsonAction_ = new QAction(QStringLiteral("&Import GeoJSON..."), this);
    importGeoJsonAction_->setStatusTip(QStringLiteral("Add taxiways, aprons and holds from a GeoJSON file"));
    connect(importGeoJsonAction_, &QAction::triggered, this, [this] {
        const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Import GeoJSON"), QString(),
                                                          QString::fromLatin1(kGeoJsonFilter));
        if (!path.isEmpty()) {
            ImportGeoJsonFile(path.toStdString());
        }
    });
    exportGeoJsonAction_ = new QAction(QStringLiteral("&Export GeoJSON..."), this);
    exportGeoJsonAction_->setStatusTip(QStringLiteral("Write the airport as GeoJSON for GIS tools"));
    connect(exportGeoJsonAction_, &QAction::triggered, this, [this] {
        const QString suggested = QString::fromStdString(doc_.m_szCode) + QStringLiteral(".geojson");
        const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Export GeoJSON"), suggested,
                                                          QString::fromLatin1(kGeoJsonFilter));
        if (!path.isEmpty()) {
            ExportGeoJsonFile(path.toStdString());
        }
    });
    // After Save, before the preferences.
    QAction* before = nullptr;
    const QList<QAction*> items = file->actions();
    for (qsizetype i = 0; i + 1 < items.size(); ++i) {
        if (items[i] == actions_[CommandId::FileSave]) {
            before = items[i + 1];
        }
    }
    file->insertSeparator(before);
    file->insertAction(before, importGeoJsonAction_);
    file->insertAction(before, exportGeoJsonAction_);
}

void CMainFrame::ImportGeoJsonFile(const std::string& path) {
    const std::optional<std::string> text = ReadGeoJsonFile(PathFromUtf8(path), doc_.Messages());
    if (!text) {
        return;
    }
    if (const std::optional<std::string> summary = view_->View().ImportGeoJsonText(*text)) {
        statusBar()->showMessage(QString::fromStdString(*summary));
    }
    UpdateActions();
}

void CMainFrame::ExportGeoJsonFile(const std::string& path) {
    if (rollpath::ExportGeoJsonFile(doc_, PathFromUtf8(path), doc_.Messages())) {
        statusBar()->showMessage(QStringLiteral("Exported ") + QString::fromStdString(path));
    }
}

}  // namespace rollpath
