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
    // Loaded beside the open airport, which stays until this one has opened.
    const std::unique_ptr<CRollpathDoc> loaded = doc.MakeScratch();
    CRollpathDoc& d = *loaded;
    d.m_szCode = pending.code;
    d.m_szTxdName = pending.txdName;
    d.m_szTxpName = pending.txpName;
    d.m_szBgrName = pending.bgrName;
    d.m_szTmsName = pending.tmsName;
    d.m_szBmpPath = pending.bmpPath;
    d.m_nBmpX = pending.bmpX;
    d.m_nBmpY = pending.bmpY;
    d.m_nBmpScale = pending.bmpScale < 1 ? 100 : pending.bmpScale;
    // A rotation that is not a number (a damaged list) opens as 0 too.
    const double r = pending.rotation;
    d.m_dRotation = (std::isfinite(r) && r >= 0.0 && r < 360.0) ? r : 0.0;
    d.m_bSafeMode = pending.safeMode;
    if (LoadAirport(d, d.m_szCode, d.m_szTxdName, d.m_szTxpName, d.m_szBgrName, d.m_szTmsName,
                    EditorSceneryReadBack()) != 1) {
        return false;
    }
    doc.TakeModelFrom(d);
    return true;
}

bool OnFileOpen(CRollpathDoc& doc, OpenProjectDialog& dialog, PendingProject& pending) {
    std::vector<std::string> sections = ReadProjectSections(ProjectListPath(doc));
    SortProjectSections(sections);
    const std::optional<OpenProjectChoice> choice = dialog.Run(sections);
    if (!choice || choice->code.empty()) {
        return false;
    }
    if (!IsAirportCode(choice->code)) {
        doc.Messages().Show(kBadCodeMessage);
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
    if (!IsAirportCode(code)) {
        doc.Messages().Show(kBadCodeMessage);
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

std::string SaveChangesQuestion(const CRollpathDoc& doc) {
    return doc.m_szCode.empty() ? std::string("Save changes?") : "Save changes to " + doc.m_szCode + "?";
}

bool SaveModified(CRollpathDoc& doc, FileSystem& files) {
    if (!doc.IsModified()) {
        return true;
    }
    switch (doc.Messages().Ask(SaveChangesQuestion(doc))) {
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
    if (!IsAirportCode(code)) {
        doc.Messages().Show(kBadCodeMessage);
        return false;
    }
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
