#include "document/RollpathDoc.h"

#include <cmath>
#include <utility>

#include "document/FreedVertexPool.h"

namespace rollpath {

CRollpathDoc::CRollpathDoc() = default;

CRollpathDoc::~CRollpathDoc() {
    KeepFreedVertexPool(m_Vertices);
    KeepFreedVertexPool(m_SparePool);
}

int CRollpathDoc::AddVertex(double x, double y, bool forceNew) {
    if (!forceNew) {
        for (int i = 0; i < m_nVertices; ++i) {
            const NetworkVertex& v = Vertex(i);
            if (v.state != -1 && std::fabs(v.x - x) < 1.0 && std::fabs(v.y - y) < 1.0) {
                TouchVertex(i);
                return i;
            }
        }
    }
    if (m_nVertices >= kMaxVertices) {
        Messages().Show("Vertex limit of 8192 reached");
        return -1;
    }
    // The pool's whole room is taken with its first vertex, so that it never
    // moves while vertices are added; its slots are made as they are taken.
    // Every load makes a document, and most never hold a vertex.
    if (m_Vertices.capacity() < static_cast<std::size_t>(kMaxVertices)) {
        std::vector<NetworkVertex> pool = TakeFreedVertexPool();
        pool.assign(m_Vertices.begin(), m_Vertices.end());
        m_Vertices.swap(pool);
    }
    const int index = m_nVertices++;
    if (static_cast<std::size_t>(index) == m_Vertices.size()) {
        m_Vertices.emplace_back();
    }
    NetworkVertex& v = Vertex(index);
    v = NetworkVertex{};
    v.x = x;
    v.y = y;
    TouchVertex(index);
    return index;
}

void CRollpathDoc::TouchVertex(int index) {
    if (m_nTouched >= kMaxTouchedVertices) {
        if (!m_bTouchedOverflowReported) {
            m_bTouchedOverflowReported = true;
            Messages().Show("Touched-vertex limit of 1024 reached");
        }
        return;
    }
    m_TouchedVertices[static_cast<std::size_t>(m_nTouched++)] = index;
}

void CRollpathDoc::ClearTouched() {
    m_nTouched = 0;
    m_bTouchedOverflowReported = false;
}

void NetworkVertex::ClearProducts() {
    junctionPolys.clear();
    centreQuads.clear();
    edgeQuads.clear();
    lightPts0.clear();
    lightPts1.clear();
}

void CRollpathDoc::CleanUp() {
    ++m_nRecordsReleased;
    m_History.Stop();
    m_pRunways.clear();
    m_pMarkings.clear();
    m_pSegments.clear();
    m_pPolygons.clear();
    m_pLights.clear();
    m_Vertices.clear();
    m_dRotation = 0.0;
    m_bLoadedFromTms = 0;
    m_szCode.clear();
    m_szTxdName.clear();
    m_szTxpName.clear();
    m_szBgrName.clear();
    m_szTmsName.clear();
    m_szBmpPath.clear();
    m_nBmpX = 0;
    m_nBmpY = 0;
    m_nBmpScale = 100;
    m_bAirportLoaded = 0;
    m_bSafeMode = 0;
    m_nVertices = 0;
    m_nSource = -1;
    m_nSink = -1;
    ClearTouched();
    m_TriErrors.clear();
}

std::unique_ptr<CRollpathDoc> CRollpathDoc::MakeScratch() {
    auto scratch = std::make_unique<CRollpathDoc>();
    scratch->SetSettings(m_pSettings);
    scratch->SetMessageSink(m_pMessages);
    scratch->SetProgramDir(m_ProgramDir);
    scratch->SetTriangulationSeed(m_TriangulationSeed);
    scratch->m_Vertices.swap(m_SparePool);
    return scratch;
}

void CRollpathDoc::TakeModelFrom(CRollpathDoc& other) {
    CleanUp();
    m_bLoadedFromTms = other.m_bLoadedFromTms;
    m_szCode = std::move(other.m_szCode);
    m_szTxdName = std::move(other.m_szTxdName);
    m_szTxpName = std::move(other.m_szTxpName);
    m_szBgrName = std::move(other.m_szBgrName);
    m_szTmsName = std::move(other.m_szTmsName);
    m_szBmpPath = std::move(other.m_szBmpPath);
    m_nBmpX = other.m_nBmpX;
    m_nBmpY = other.m_nBmpY;
    m_nBmpScale = other.m_nBmpScale;
    m_dRotation = other.m_dRotation;
    m_bAirportLoaded = other.m_bAirportLoaded;
    m_bSafeMode = other.m_bSafeMode;
    m_Airport = std::move(other.m_Airport);
    m_pRunways = std::move(other.m_pRunways);
    m_pPolygons = std::move(other.m_pPolygons);
    m_pMarkings = std::move(other.m_pMarkings);
    m_pLights = std::move(other.m_pLights);
    m_pSegments = std::move(other.m_pSegments);
    m_Vertices.swap(other.m_Vertices);
    if (other.m_Vertices.capacity() > m_SparePool.capacity()) {
        m_SparePool.swap(other.m_Vertices);
    }
    m_nVertices = other.m_nVertices;
    m_nSource = other.m_nSource;
    m_nSink = other.m_nSink;
    m_TouchedVertices = other.m_TouchedVertices;
    m_nTouched = other.m_nTouched;
    m_bTouchedOverflowReported = other.m_bTouchedOverflowReported;
    m_TileGrid = other.m_TileGrid;
    m_TriErrors = std::move(other.m_TriErrors);
    m_bModified = other.m_bModified;
    other.CleanUp();
}

void CRollpathDoc::OrderRunwaysSoftFirst() {
    // Swap a hard runway with a soft follower and start again from the head
    // until a whole scan makes no swap.
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (std::size_t i = 0; i + 1 < m_pRunways.size(); ++i) {
            if (IsHardSurface(m_pRunways[i]->SurfaceIndex()) &&
                IsSoftSurface(m_pRunways[i + 1]->SurfaceIndex())) {
                std::swap(m_pRunways[i], m_pRunways[i + 1]);
                swapped = true;
                break;
            }
        }
    }
}

void CRollpathDoc::SetModifiedFlag(bool modified) {
    if (m_bLoadedFromTms != 0) {
        return;
    }
    m_bModified = modified;
    m_History.NoteSaved(!modified);
}

void CRollpathDoc::FollowHistory(bool modified) {
    if (m_bLoadedFromTms == 0) {
        m_bModified = modified;
    }
}

RollpathSegment& CRollpathDoc::AppendSegment() {
    m_pSegments.push_back(std::make_unique<RollpathSegment>());
    return *m_pSegments.back();
}

GroundPolygon& CRollpathDoc::AppendPolygon() {
    m_pPolygons.push_back(std::make_unique<GroundPolygon>());
    return *m_pPolygons.back();
}

RunwayRecord& CRollpathDoc::AppendRunway() {
    m_pRunways.push_back(std::make_unique<RunwayRecord>());
    return *m_pRunways.back();
}

void CRollpathDoc::SetSettings(Settings* settings) {
    m_pSettings = settings != nullptr ? settings : &m_DefaultSettings;
}

void CRollpathDoc::SetMessageSink(MessageSink* sink) {
    m_pMessages = sink != nullptr ? sink : &m_DefaultMessages;
}

}  // namespace rollpath
