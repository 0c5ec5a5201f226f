#include "support/DocumentSnapshot.h"

#include <map>

namespace rollpath::testing {

namespace {

template <typename T>
std::optional<std::string> FirstDifferentRecord(const std::vector<T>& a, const std::vector<T>& b,
                                                const std::string& what) {
    if (a.size() != b.size()) {
        return what + " count " + std::to_string(a.size()) + " against " + std::to_string(b.size());
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (!(a[i] == b[i])) {
            return what + " " + std::to_string(i);
        }
    }
    return std::nullopt;
}

// The diagram's placement and the view's rotation.
void CopyPlacement(const CRollpathDoc& doc, DocumentSnapshot& s) {
    s.bmpPath = doc.m_szBmpPath;
    s.bmpX = doc.m_nBmpX;
    s.bmpY = doc.m_nBmpY;
    s.bmpScale = doc.m_nBmpScale;
    s.rotation = doc.m_dRotation;
}

}  // namespace

DocumentSnapshot Snapshot(const CRollpathDoc& doc) {
    DocumentSnapshot s;
    for (const auto& segment : doc.m_pSegments) {
        s.segments.push_back(*segment);
    }
    for (const auto& polygon : doc.m_pPolygons) {
        s.polygons.push_back(*polygon);
    }
    for (const auto& piece : doc.m_pMarkings) {
        s.markings.push_back(*piece);
    }
    s.vertices.assign(doc.m_Vertices.begin(), doc.m_Vertices.begin() + doc.m_nVertices);
    for (const auto& runway : doc.m_pRunways) {
        s.runwayClosed.push_back(runway->closed);
    }
    s.source = doc.m_nSource;
    s.sink = doc.m_nSink;
    CopyPlacement(doc, s);
    s.tileGrid = doc.m_TileGrid;
    return s;
}

DocumentSnapshot SavedForm(const CRollpathDoc& doc) {
    DocumentSnapshot s;
    std::map<int, int> numbers;  // by pool index
    const auto number = [&](int pool) {
        const auto [it, added] = numbers.emplace(pool, static_cast<int>(s.vertices.size()));
        if (added) {
            const NetworkVertex& v = doc.Vertex(pool);
            NetworkVertex& kept = s.vertices.emplace_back();
            kept.x = v.x;
            kept.y = v.y;
            kept.flags = v.flags;
        }
        return it->second;
    };
    const auto valid = [&doc](int v) { return v >= 0 && v < doc.m_nVertices; };
    for (const auto& segment : doc.m_pSegments) {
        const RollpathSegment& t = *segment;
        if (!t.live() || t.vertex0 == t.vertex1 || !valid(t.vertex0) || !valid(t.vertex1)) {
            continue;
        }
        RollpathSegment& kept = s.segments.emplace_back();
        kept.vertex0 = number(t.vertex0);
        kept.vertex1 = number(t.vertex1);
        kept.type = t.type;
        kept.width = t.width;
        kept.flags = t.flags;
        kept.extent0 = t.extent0;
        kept.extent1 = t.extent1;
    }
    for (const auto& polygon : doc.m_pPolygons) {
        if (polygon->live()) {
            s.polygons.push_back(*polygon);
        }
    }
    const auto numbered = [&numbers](int pool) {
        const auto it = numbers.find(pool);
        return it == numbers.end() ? -1 : it->second;
    };
    s.source = numbered(doc.m_nSource);
    s.sink = numbered(doc.m_nSink);
    CopyPlacement(doc, s);
    return s;
}

std::optional<std::string> SnapshotDifference(const DocumentSnapshot& a, const DocumentSnapshot& b) {
    for (auto& d : {FirstDifferentRecord(a.segments, b.segments, "segment"),
                    FirstDifferentRecord(a.polygons, b.polygons, "polygon"),
                    FirstDifferentRecord(a.markings, b.markings, "marking"),
                    FirstDifferentRecord(a.vertices, b.vertices, "vertex")}) {
        if (d) {
            return d;
        }
    }
    const std::pair<bool, const char*> others[] = {
        {a.runwayClosed != b.runwayClosed, "runway closed flags"},
        {a.source != b.source || a.sink != b.sink, "source or sink"},
        {a.bmpPath != b.bmpPath || a.bmpX != b.bmpX || a.bmpY != b.bmpY || a.bmpScale != b.bmpScale,
         "diagram"},
        {a.rotation != b.rotation, "rotation"},
        {!(a.tileGrid == b.tileGrid), "tile grid"},
    };
    for (const auto& [differs, what] : others) {
        if (differs) {
            return std::string(what);
        }
    }
    return std::nullopt;
}

}  // namespace rollpath::testing
