#include "project/DocumentPipeline.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "document/CompactNetwork.h"
#include "document/InstallPaths.h"
#include "pavement/NetworkRebuild.h"
#include "pavement/PavementRebuild.h"
#include "pavement/PavementWriter.h"
#include "pavement/TileGrid.h"
#include "scenery/NetworkFile.h"
#include "scenery/PavementFile.h"
#include "scenery/PolygonFile.h"
#include "scenery/SideFile.h"
#include "simdata/AirportLoader.h"

namespace rollpath {

SceneryReadBack EditorSceneryReadBack() {
    SceneryReadBack readBack;
    readBack.readPolygonFile = [](CRollpathDoc& doc, const std::filesystem::path& path, double lat,
                                  double lon) { ReadPolygonFile(doc, path, lat, lon); };
    readBack.readNetworkFile = [](CRollpathDoc& doc, const std::filesystem::path& path, double lat,
                                  double lon) { ReadNetworkFile(doc, path, lat, lon); };
    readBack.readSideFile = [](CRollpathDoc& doc, const std::filesystem::path& path) {
        ReadSideFile(doc, path);
    };
    readBack.readPavementFile = [](CRollpathDoc& doc, const std::filesystem::path& path) {
        ReadPavementFile(doc, path);
    };
    return readBack;
}

std::filesystem::path ProjectListPath(const CRollpathDoc& doc) {
    return doc.ProgramDir() / kProjectListName;
}

bool NewDocument(CRollpathDoc& doc, OpenAirportDialog& dialog, bool startingUp) {
    return OnNewDocument(doc, dialog, startingUp, EditorSceneryReadBack());
}

bool OnOpenDocument(CRollpathDoc& doc, const PendingProject& pending) {
    doc.CleanUp();
    doc.SetModifiedFlag(false);
    doc.m_szCode = pending.code;
    doc.m_szTxdName = pending.txdName;
    doc.m_szTxpName = pending.txpName;
    doc.m_szBgrName = pending.bgrName;
    doc.m_szTmsName = pending.tmsName;
    doc.m_szBmpPath = pending.bmpPath;
    doc.m_nBmpX = pending.bmpX;
    doc.m_nBmpY = pending.bmpY;
    doc.m_nBmpScale = pending.bmpScale < 1 ? 100 : pending.bmpScale;
    // A rotation that is not a number (a damaged list) opens as 0 too.
    const double r = pending.rotation;
    doc.m_dRotation = (std::isfinite(r) && r >= 0.0 && r < 360.0) ? r : 0.0;
    doc.m_bSafeMode = pending.safeMode;
    return LoadAirport(doc, doc.m_szCode, doc.m_szTxdName, doc.m_szTxpName, doc.m_szBgrName, doc.m_szTmsName,
                       EditorSceneryReadBack()) == 1;
}

bool OnFileOpen(CRollpathDoc& doc, OpenProjectDialog& dialog, PendingProject& pending) {
    std::vector<std::string> sections = ReadProjectSections(ProjectListPath(doc));
    SortProjectSections(sections);
    const std::optional<OpenProjectChoice> choice = dialog.Run(sections);
    if (!choice || choice->code.empty()) {
        return false;
    }
    if (choice->code.size() > static_cast<std::size_t>(kMaxCodeLength)) {
        doc.Messages().Show(kCodeTooLongMessage);
        return false;
    }
    pending.safeMode = choice->safeMode ? 1 : 0;
    SetPendingProject(pending, choice->code, ProjectListPath(doc));
    return OnOpenDocument(doc, pending);
}

bool OpenDocumentFile(CRollpathDoc& doc, const std::filesystem::path& path, PendingProject& pending) {
    const std::string code = path.stem().string();
    if (code.empty()) {
        return false;
    }
    if (code.size() > static_cast<std::size_t>(kMaxCodeLength)) {
        doc.Messages().Show(kCodeTooLongMessage);
        return false;
    }
    SetPendingProject(pending, code, ProjectListPath(doc));
    return OnOpenDocument(doc, pending);
}

bool Save(CRollpathDoc& doc, FileSystem& files) {
    if (!WriteProjectList(doc, ProjectListPath(doc), doc.Messages(), files)) {
        return false;
    }
    CompactNetwork(doc);
    const std::filesystem::path output = OutputDirectory(doc.GetSettings());
    // Every file is attempted even when an earlier one failed.
    const bool polygons = WritePolygonFile(doc, output, files);
    const bool network = WriteNetworkFile(doc, output, files);
    const bool side = WriteSideFile(doc, doc.ProgramDir(), files);
    const bool pavement = WritePavementFile(doc, output, files);
    const bool ok = polygons && network && side && pavement;
    if (ok) {
        doc.SetModifiedFlag(false);
    }
    return ok;
}

bool SaveModified(CRollpathDoc& doc, FileSystem& files) {
    if (!doc.IsModified()) {
        return true;
    }
    switch (doc.Messages().Ask("Save changes?")) {
        case Answer::Yes:
            return Save(doc, files);
        case Answer::No:
            return true;
        case Answer::Cancel:
            break;
    }
    return false;
}

void PrepareOpenedDocument(CRollpathDoc& doc) {
    if (doc.m_bAirportLoaded == 0) {
        return;
    }
    RebuildNetwork(doc);
    RebuildAllPavement(doc);
    ComputeTileGrid(doc);
}

bool OpenAirportByCode(CRollpathDoc& doc, const std::string& code, bool loadTms, bool safeMode) {
    std::string upper = code;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    const std::vector<std::string> sections = ReadProjectSections(ProjectListPath(doc));
    const bool listed = std::find(sections.begin(), sections.end(), upper) != sections.end();
    if (listed && !loadTms) {
        PendingProject pending;
        pending.safeMode = safeMode ? 1 : 0;
        SetPendingProject(pending, upper, ProjectListPath(doc));
        return OnOpenDocument(doc, pending);
    }
    FixedOpenAirportDialog dialog(OpenAirportChoice{upper, loadTms});
    if (!NewDocument(doc, dialog, false)) {
        return false;
    }
    doc.m_bSafeMode = safeMode ? 1 : 0;
    return true;
}

}  // namespace rollpath
