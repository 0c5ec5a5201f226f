#include "project/DocumentPipeline.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <span>
#include <system_error>

#include "document/AtomicFile.h"
#include "document/CompactNetwork.h"
#include "document/InstallPaths.h"
#include "document/SaveSet.h"
#include "document/Utf8Path.h"
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

namespace {

// A name from the list, or the airport's default one with a message when the
// list names something other than a plain file.
std::string PlainFileName(CRollpathDoc& doc, const std::string& listed, const std::string& standard) {
    if (IsPlainFileName(listed)) {
        return listed;
    }
    doc.Messages().Show("Rollpath.rpj names \"" + listed + "\" for " + doc.m_szCode +
                        ", which is not a plain file name: " + standard + " is used instead");
    return standard;
}

}  // namespace

bool NewDocument(CRollpathDoc& doc, OpenAirportDialog& dialog, bool startingUp) {
    return OnNewDocument(doc, dialog, startingUp, EditorSceneryReadBack());
}

bool OnOpenDocument(CRollpathDoc& doc, const PendingProject& pending) {
    // Loaded beside the open airport, which stays until this one has opened.
    const std::unique_ptr<CRollpathDoc> loaded = doc.MakeScratch();
    CRollpathDoc& d = *loaded;
    d.m_szCode = pending.code;
    d.m_szTxdName = pending.txdName;
    d.m_szTxpName = PlainFileName(d, pending.txpName, pending.code + ".txp");
    d.m_szBgrName = PlainFileName(d, pending.bgrName, pending.code + ".bgr");
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
    const std::string code = Utf8FromPath(path.stem());
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

namespace {

// What an author can have drawn: the network or a ground polygon (pavement
// read from a pavement file is neither).
bool HoldsEditableWork(const CRollpathDoc& doc) {
    const auto live = [](const auto& record) { return record->live(); };
    return std::any_of(doc.m_pSegments.begin(), doc.m_pSegments.end(), live) ||
           std::any_of(doc.m_pPolygons.begin(), doc.m_pPolygons.end(), [](const auto& polygon) {
               return polygon->live() && polygon->kind != PolygonKind::Pavement;
           });
}

// A document read from its pavement file alone holds nothing of the editable
// files: its Save may create them, never replace them, and it leaves the
// pavement file it came from alone.
bool MaySaveFromPavementFile(CRollpathDoc& doc, const std::filesystem::path& output) {
    if (!HoldsEditableWork(doc)) {
        doc.Messages().Show(doc.m_szCode + " was opened from its pavement file " + doc.m_szTmsName +
                            " alone: there is no network and no ground polygon to save");
        return false;
    }
    for (const std::filesystem::path& file :
         {output / doc.m_szTxpName, output / doc.m_szBgrName, doc.ProgramDir() / doc.m_szTxdName}) {
        std::error_code ec;
        if (std::filesystem::exists(file, ec)) {
            doc.Messages().Show("Cannot save " + doc.m_szCode + " opened from its pavement file " +
                                doc.m_szTmsName + ": it would overwrite " + Utf8FromPath(file));
            return false;
        }
    }
    return true;
}

// An output folder that is missing is made when its parent exists; anything
// deeper missing is reported by the file that cannot be created there.
void MakeMissingFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    if (!std::filesystem::exists(folder, ec) && std::filesystem::is_directory(folder.parent_path(), ec)) {
        std::filesystem::create_directory(folder, ec);
    }
}

// The network as the rebuild sees it: every segment's vertices and state,
// every vertex's position and state.
std::vector<double> NetworkShape(const CRollpathDoc& doc) {
    std::vector<double> shape;
    for (const auto& s : doc.m_pSegments) {
        shape.insert(shape.end(), {double(s->vertex0), double(s->vertex1), double(s->state)});
    }
    for (int v = 0; v < doc.m_nVertices; ++v) {
        const NetworkVertex& vertex = doc.Vertex(v);
        shape.insert(shape.end(), {vertex.x, vertex.y, double(vertex.state)});
    }
    return shape;
}

// The network rebuild that opening runs, repeated until it changes nothing:
// one pass can leave work for the next (two vertices pinned onto the same
// runway crossing merge only then), and the network saved must be the one
// the next open gives.
void SettleNetwork(CRollpathDoc& doc) {
    constexpr int kMaxPasses = 4;
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        const std::vector<double> before = NetworkShape(doc);
        RebuildNetwork(doc);
        if (NetworkShape(doc) == before) {
            break;
        }
    }
    doc.ClearTouched();
}

void WriteBytes(AtomicFile& file, std::span<const std::uint8_t> bytes) {
    file.Write(bytes);
}

}  // namespace

bool Save(CRollpathDoc& doc, FileSystem& files, ProjectListUpdate listUpdate) {
    const bool withList = listUpdate == ProjectListUpdate::Rewrite;
    const bool fromPavementFile = doc.m_bLoadedFromTms != 0;
    const std::filesystem::path output = OutputDirectory(doc.GetSettings());
    const std::filesystem::path listPath = ProjectListPath(doc);
    if (fromPavementFile && !MaySaveFromPavementFile(doc, output)) {
        return false;
    }
    MakeMissingFolder(output);
    MakeMissingFolder(doc.ProgramDir());

    const std::string listWords = withList ? ProjectListFailureWords(listPath) : std::string();
    const std::optional<std::string> list =
        withList ? RewrittenProjectList(doc, listPath, doc.Messages()) : std::optional<std::string>("");
    if (!list) {
        return false;
    }
    // Every destination is created before anything is written, and the files
    // replace the old ones all together or not at all.
    SaveSet set(files);
    AtomicFile* listFile = withList ? set.Add(listPath, listWords) : nullptr;
    AtomicFile* polygons = listFile != nullptr || !withList
                               ? set.Add(output / doc.m_szTxpName, "Cannot create " + doc.m_szTxpName)
                               : nullptr;
    AtomicFile* network =
        polygons ? set.Add(output / doc.m_szBgrName, "Cannot create " + doc.m_szBgrName) : nullptr;
    AtomicFile* side =
        network ? set.Add(doc.ProgramDir() / doc.m_szTxdName, "Cannot create " + doc.m_szTxdName) : nullptr;
    AtomicFile* pavement = side && !fromPavementFile
                               ? set.Add(output / doc.m_szTmsName, "Cannot create " + doc.m_szTmsName)
                               : nullptr;
    if (side == nullptr || (!fromPavementFile && pavement == nullptr)) {
        doc.Messages().Show(set.Failure());
        return false;
    }

    if (pavement != nullptr) {
        SettleNetwork(doc);
    }
    CompactNetwork(doc);
    if (pavement != nullptr) {
        // The pavement (and the flags it sets) that the next open builds from
        // these files, on the grid it gives: rebuilds during editing touch
        // only what an edit touched, and may leave rows and the grid as an
        // earlier state had them.
        RebuildAllPavement(doc);
        ComputeTileGrid(doc);
    }
    if (listFile != nullptr) {
        WriteBytes(*listFile, std::span(reinterpret_cast<const std::uint8_t*>(list->data()), list->size()));
    }
    WriteBytes(*polygons, EncodePolygonFile(doc));
    WriteBytes(*network, EncodeNetworkFile(doc));
    WriteBytes(*side, EncodeSideFile(doc));
    if (pavement != nullptr) {
        // Generated whole even after a failed write, so that the
        // triangulation errors are those of the whole Save.
        EncodePavementFile(doc, [pavement](std::span<const std::uint8_t> bytes) { pavement->Write(bytes); });
    }
    if (!set.Commit()) {
        doc.Messages().Show(set.Failure());
        return false;
    }
    // The simulator takes no more; edits refuse to go past it, but a file
    // read from elsewhere may hold more.
    if (PolygonFileCorners(doc) > kMaxPolygonFileVertices) {
        doc.Messages().Show(kTooManyPolygonVerticesMessage);
    }
    doc.SetModifiedFlag(false);
    return true;
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
    std::optional<PendingProject> entry;
    if (std::find(sections.begin(), sections.end(), upper) != sections.end()) {
        entry.emplace();
        SetPendingProject(*entry, upper, ProjectListPath(doc));
    }
    return OpenAirportFromEntry(doc, upper, entry ? &*entry : nullptr, loadTms, safeMode);
}

bool OpenAirportFromEntry(CRollpathDoc& doc, const std::string& code, const PendingProject* entry,
                          bool loadTms, bool safeMode) {
    if (entry != nullptr && !loadTms) {
        PendingProject pending = *entry;
        pending.safeMode = safeMode ? 1 : 0;
        return OnOpenDocument(doc, pending);
    }
    FixedOpenAirportDialog dialog(OpenAirportChoice{code, loadTms});
    if (!NewDocument(doc, dialog, false)) {
        return false;
    }
    doc.m_bSafeMode = safeMode ? 1 : 0;
    return true;
}

}  // namespace rollpath
