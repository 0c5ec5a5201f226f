#pragma once

// The single document: one airport with everything drawn on it.

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/EditHistory.h"
#include "document/MessageSink.h"
#include "document/Records.h"
#include "settings/Settings.h"

namespace rollpath {

// Heap records in creation order; addresses stay stable while the list grows
// (the view keeps pointers to segments and polygons). Deleted records stay in
// place, marked state -1.
template <typename T>
using RecordList = std::vector<std::unique_ptr<T>>;

class CRollpathDoc {
public:
    CRollpathDoc();
    ~CRollpathDoc();
    CRollpathDoc(const CRollpathDoc&) = delete;
    CRollpathDoc& operator=(const CRollpathDoc&) = delete;

    // --- The model, in the order of the design ---------------------------
    int m_bLoadedFromTms = 0;  // filled from the pavement file: never modified
    std::string m_szCode;      // upper case, at most 5 characters
    std::string m_szTxdName;
    std::string m_szTxpName;
    std::string m_szBgrName;
    std::string m_szTmsName;
    std::string m_szBmpPath;  // airport diagram; empty when there is none
    int m_nBmpX = 0;
    int m_nBmpY = 0;
    int m_nBmpScale = 100;
    double m_dRotation = 0.0;  // degrees, kept in [0, 360)
    int m_bAirportLoaded = 0;  // an airport with at least one runway is loaded
    int m_bSafeMode = 0;       // no junction polygons are built
    AirportRecord m_Airport;
    RecordList<RunwayRecord> m_pRunways;
    RecordList<GroundPolygon> m_pPolygons;
    RecordList<MarkingPolygon> m_pMarkings;  // read from a pavement file
    RecordList<LightRecord> m_pLights;       // read from a pavement file
    RecordList<RollpathSegment> m_pSegments;
    std::vector<NetworkVertex> m_Vertices;  // the pool: kMaxVertices slots
    int m_nVertices = 0;                    // slots in use, deleted ones included
    int m_nSource = -1;
    int m_nSink = -1;
    std::array<int, kMaxTouchedVertices> m_TouchedVertices{};
    int m_nTouched = 0;
    // The pavement store: the tile grid and the polygons the last Save could
    // not triangulate (at most 30 of at most 50 points each).
    TileGrid m_TileGrid;
    std::vector<std::vector<DPoint>> m_TriErrors;
    // Counted up when CleanUp releases the records and when CompactNetwork
    // renumbers the vertex pool, so that whoever holds record pointers or
    // vertex numbers (the view) can tell that they went stale.
    unsigned m_nRecordsReleased = 0;
    unsigned m_nPoolRenumbered = 0;

    // --- Operations -----------------------------------------------------
    // The pool index of a vertex at (x, y): an existing live vertex closer
    // than 1 ft in both x and y unless forceNew, else a new slot. The index
    // is appended to the touched-vertex list. Returns -1 (with a message)
    // when the pool is full.
    int AddVertex(double x, double y, bool forceNew);

    // Appends a vertex index to the touched list; a full list refuses it and
    // reports once until the list is emptied.
    void TouchVertex(int index);
    void ClearTouched();

    // Releases every record and every generated buffer and resets the model
    // (the airport record itself is left for the next load to overwrite).
    // The history stops.
    void CleanUp();

    // An empty document to load into, with this one's settings, messages,
    // program folder and seed, so that a load that fails leaves this one as it
    // was.
    std::unique_ptr<CRollpathDoc> MakeScratch();
    // Takes the model of a document filled by a load (this one's own model is
    // released as CleanUp releases it); the other is left empty.
    void TakeModelFrom(CRollpathDoc& other);

    // Soft-surface runways move before hard ones so that hard runways are
    // painted over soft ones; other surfaces keep their neighbours.
    void OrderRunwaysSoftFirst();

    bool IsModified() const { return m_bModified; }
    // Ignored while the document was filled from the pavement file. Clearing
    // the flag makes the history's present state the saved one.
    void SetModifiedFlag(bool modified = true);
    // Whether the history's present state differs from the saved one.
    void FollowHistory(bool modified);

    CEditHistory& History() { return m_History; }
    const CEditHistory& History() const { return m_History; }

    RollpathSegment& AppendSegment();
    GroundPolygon& AppendPolygon();
    RunwayRecord& AppendRunway();

    bool IsLiveVertex(int index) const {
        return index >= 0 && index < m_nVertices && m_Vertices[static_cast<std::size_t>(index)].live();
    }
    NetworkVertex& Vertex(int index) { return m_Vertices[static_cast<std::size_t>(index)]; }
    const NetworkVertex& Vertex(int index) const { return m_Vertices[static_cast<std::size_t>(index)]; }

    // --- Surroundings ---------------------------------------------------
    // The settings are owned by the application; the document only reads
    // them. Without a call the document uses its own defaults.
    void SetSettings(Settings* settings);
    Settings& GetSettings() { return *m_pSettings; }
    const Settings& GetSettings() const { return *m_pSettings; }

    // Where message boxes go. Without a call they are recorded and dropped.
    void SetMessageSink(MessageSink* sink);
    MessageSink& Messages() { return *m_pMessages; }

    // The folder of "Rollpath.rpj" and the side files.
    void SetProgramDir(std::filesystem::path dir) { m_ProgramDir = std::move(dir); }
    const std::filesystem::path& ProgramDir() const { return m_ProgramDir; }

    // The triangulator's seed for the pavement file; none means the clock's
    // second, as the editor runs. Batch builds fix it to get identical files.
    void SetTriangulationSeed(std::optional<std::uint32_t> seed) { m_TriangulationSeed = seed; }
    std::optional<std::uint32_t> TriangulationSeed() const { return m_TriangulationSeed; }

private:
    bool m_bModified = false;
    std::optional<std::uint32_t> m_TriangulationSeed;
    bool m_bTouchedOverflowReported = false;
    Settings m_DefaultSettings;
    Settings* m_pSettings = &m_DefaultSettings;
    RecordingMessageSink m_DefaultMessages;
    MessageSink* m_pMessages = &m_DefaultMessages;
    std::filesystem::path m_ProgramDir;
    CEditHistory m_History{*this};
    // The pool of the model the last load replaced, emptied: the next load
    // takes its room instead of making a pool of its own.
    std::vector<NetworkVertex> m_SparePool;
};

}  // namespace rollpath
