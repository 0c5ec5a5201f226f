#include "project/GeoJsonImport.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <set>
#include <tuple>
#include <unordered_map>
#include <utility>
#include <vector>

#include "document/Utf8Path.h"
#include "geometry/PortableMath.h"
#include "pavement/NetworkRebuild.h"
#include "pavement/PavementRebuild.h"
#include "pavement/SegmentGeometry.h"
#include "pavement/TileGrid.h"
#include "project/GeoJsonFeatures.h"
#include "scenery/PolygonFile.h"
#include "simdata/RunwayCheck.h"

namespace rollpath {

namespace {

double Distance(const DPoint& a, const DPoint& b) {
    return math::Hypot(a.x - b.x, a.y - b.y);
}

// The vertices of all chains after joining, and each chain as indices into
// them.
struct JoinedChains {
    std::vector<DPoint> vertices;
    std::vector<std::vector<int>> chains;
};

// Joins a point to a vertex of another chain closer than `snap`, or to any
// vertex closer than a foot (a way that closes on itself). Ways that share a
// map node give the same position and always join.
class VertexJoiner {
public:
    explicit VertexJoiner(double snap) : m_dSnap(snap), m_dCell(std::max(snap, 1.0)) {}

    int Join(const DPoint& p, int chain) {
        const long long cx = Cell(p.x);
        const long long cy = Cell(p.y);
        int best = -1;
        double bestDistance = 0.0;
        for (long long ix = cx - 1; ix <= cx + 1; ++ix) {
            for (long long iy = cy - 1; iy <= cy + 1; ++iy) {
                const auto it = m_Cells.find(Key(ix, iy));
                if (it == m_Cells.end()) {
                    continue;
                }
                for (const int k : it->second) {
                    const Entry& e = m_Entries[static_cast<std::size_t>(k)];
                    const double d = Distance(p, e.at);
                    const bool joins = d < 1.0 || (d < m_dSnap && (e.firstChain != chain || e.shared));
                    if (joins && (best < 0 || d < bestDistance)) {
                        best = k;
                        bestDistance = d;
                    }
                }
            }
        }
        if (best >= 0) {
            Entry& e = m_Entries[static_cast<std::size_t>(best)];
            e.shared = e.shared || e.firstChain != chain;
            return best;
        }
        m_Entries.push_back(Entry{p, chain, false});
        const int index = static_cast<int>(m_Entries.size()) - 1;
        m_Cells[Key(cx, cy)].push_back(index);
        return index;
    }

    std::vector<DPoint> Vertices() const {
        std::vector<DPoint> out;
        out.reserve(m_Entries.size());
        for (const Entry& e : m_Entries) {
            out.push_back(e.at);
        }
        return out;
    }

private:
    struct Entry {
        DPoint at;
        int firstChain;
        bool shared;  // another chain joined it too
    };
    long long Cell(double v) const { return static_cast<long long>(std::floor(v / m_dCell)); }
    static long long Key(long long ix, long long iy) { return ix * 1000003LL + iy; }

    double m_dSnap;
    double m_dCell;
    std::vector<Entry> m_Entries;
    std::unordered_map<long long, std::vector<int>> m_Cells;
};

JoinedChains JoinChains(const GeoJsonPlan& plan, double snap) {
    VertexJoiner joiner(snap);
    JoinedChains joined;
    for (std::size_t c = 0; c < plan.chains.size(); ++c) {
        std::vector<int> indices;
        for (const DPoint& p : plan.chains[c].points) {
            const int k = joiner.Join(p, static_cast<int>(c));
            if (indices.empty() || indices.back() != k) {
                indices.push_back(k);
            }
        }
        joined.chains.push_back(std::move(indices));
    }
    joined.vertices = joiner.Vertices();
    return joined;
}

int PlannedPolygonCorners(const GeoJsonPlan& plan) {
    long long corners = 0;
    for (const PlannedPolygon& polygon : plan.polygons) {
        corners += static_cast<long long>(polygon.points.size());
    }
    return static_cast<int>(std::min<long long>(corners, kMaxPolygonFileVertices + 1LL));
}

// The capacities are checked before anything changes; the text of the
// refusal, or empty.
std::string CapacityRefusal(const CRollpathDoc& doc, const GeoJsonPlan& plan, const JoinedChains& joined) {
    const long long vertices = static_cast<long long>(joined.vertices.size());
    if (doc.m_nVertices + vertices > kMaxVertices) {
        return "The file has " + std::to_string(vertices) + " rollpath vertices; the network has room for " +
               std::to_string(kMaxVertices - doc.m_nVertices) + " more (Vertex limit of 8192)";
    }
    const int corners = PlannedPolygonCorners(plan);
    const int present = PolygonFileCorners(doc);
    if (present + corners > kMaxPolygonFileVertices) {
        return "The file has " + std::to_string(corners) + " polygon vertices; the polygons have room for " +
               std::to_string(std::max(0, kMaxPolygonFileVertices - present)) + " more (" +
               kTooManyPolygonVerticesMessage + ")";
    }
    return {};
}

// The live vertex that AddVertex would take for p, or -1.
int ExistingVertex(const CRollpathDoc& doc, const DPoint& p) {
    for (int k = 0; k < doc.m_nVertices; ++k) {
        const NetworkVertex& v = doc.Vertex(k);
        if (v.live() && std::fabs(v.x - p.x) < 1.0 && std::fabs(v.y - p.y) < 1.0) {
            return k;
        }
    }
    return -1;
}

double DistanceToSegment(const DPoint& p, const DPoint& a, const DPoint& b);

// What the airport has before the import, so that a file exported from it
// (or edited from such an export) adds only what is new: a segment between
// two vertices already joined, or a piece of a runway centre line that the
// airport already has, is not added again.
class ExistingNetwork {
public:
    explicit ExistingNetwork(const CRollpathDoc& doc) {
        for (const auto& s : doc.m_pSegments) {
            if (s->live() && doc.IsLiveVertex(s->vertex0) && doc.IsLiveVertex(s->vertex1)) {
                m_Joined.emplace(std::min(s->vertex0, s->vertex1), std::max(s->vertex0, s->vertex1));
                if (s->type == SegmentType::RunwayCentreLine) {
                    m_CentreLines.push_back({doc.Vertex(s->vertex0).pos(), doc.Vertex(s->vertex1).pos()});
                }
            }
        }
    }

    bool Has(int v0, int v1, int type, const DPoint& p0, const DPoint& p1) const {
        if (v0 >= 0 && v1 >= 0 && m_Joined.contains({std::min(v0, v1), std::max(v0, v1)})) {
            return true;
        }
        return type == SegmentType::RunwayCentreLine &&
               std::any_of(m_CentreLines.begin(), m_CentreLines.end(), [&](const auto& line) {
                   return DistanceToSegment(p0, line[0], line[1]) < 1.0 &&
                          DistanceToSegment(p1, line[0], line[1]) < 1.0;
               });
    }

private:
    std::set<std::pair<int, int>> m_Joined;
    std::vector<std::array<DPoint, 2>> m_CentreLines;
};

int AddSegments(CRollpathDoc& doc, const GeoJsonPlan& plan, const JoinedChains& joined) {
    const ExistingNetwork existing(doc);
    std::vector<int> before;  // the airport's own vertex at each joined one, or -1
    before.reserve(joined.vertices.size());
    for (const DPoint& p : joined.vertices) {
        before.push_back(ExistingVertex(doc, p));
    }
    // Vertices are taken as segments need them: one no segment uses is left out.
    std::vector<int> pool(joined.vertices.size(), -1);
    const auto vertex = [&](int k) {
        int& slot = pool[static_cast<std::size_t>(k)];
        if (slot < 0) {
            const DPoint& p = joined.vertices[static_cast<std::size_t>(k)];
            slot = doc.AddVertex(p.x, p.y, false);
            doc.ClearTouched();  // everything is rebuilt afterwards
        }
        return slot;
    };
    int added = 0;
    for (std::size_t c = 0; c < joined.chains.size(); ++c) {
        const PlannedChain& model = plan.chains[c];
        const std::vector<int>& indices = joined.chains[c];
        for (std::size_t i = 1; i < indices.size(); ++i) {
            const int k0 = indices[i - 1];
            const int k1 = indices[i];
            const int b0 = before[static_cast<std::size_t>(k0)];
            const int b1 = before[static_cast<std::size_t>(k1)];
            if ((b0 >= 0 && b0 == b1) ||
                existing.Has(b0, b1, model.type, joined.vertices[static_cast<std::size_t>(k0)],
                             joined.vertices[static_cast<std::size_t>(k1)])) {
                continue;
            }
            const int v0 = vertex(k0);
            const int v1 = vertex(k1);
            if (v0 == v1) {
                continue;  // AddVertex took one vertex for two points about a foot apart
            }
            RollpathSegment& s = doc.AppendSegment();
            s.type = model.type;
            s.width = model.width;
            s.flags = model.flags;
            s.extent0 = model.extent0;
            s.extent1 = model.extent1;
            s.vertex0 = v0;
            s.vertex1 = v1;
            SegmentGeometry(doc, s);
            ++added;
        }
    }
    return added;
}

// One of the first `count` polygons has these corners (within a foot).
bool HasPolygon(const CRollpathDoc& doc, std::size_t count, const std::vector<DPoint>& points) {
    for (std::size_t k = 0; k < count; ++k) {
        const GroundPolygon& p = *doc.m_pPolygons[k];
        if (p.live() && p.points.size() == points.size() &&
            std::equal(points.begin(), points.end(), p.points.begin(),
                       [](const DPoint& a, const DPoint& b) { return Distance(a, b) < 1.0; })) {
            return true;
        }
    }
    return false;
}

// The live vertex nearest to p within `reach`, or -1.
int NearestVertex(const CRollpathDoc& doc, const DPoint& p, double reach) {
    int best = -1;
    double bestDistance = reach;
    for (int k = 0; k < doc.m_nVertices; ++k) {
        if (doc.IsLiveVertex(k)) {
            const double d = Distance(p, doc.Vertex(k).pos());
            if (d <= bestDistance) {
                best = k;
                bestDistance = d;
            }
        }
    }
    return best;
}

double DistanceToSegment(const DPoint& p, const DPoint& a, const DPoint& b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double lengthSquared = dx * dx + dy * dy;
    const double t = lengthSquared > 0.0
                         ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared, 0.0, 1.0)
                         : 0.0;
    return Distance(p, DPoint{a.x + t * dx, a.y + t * dy});
}

bool MeetsRunway(const RollpathSegment& s) {
    const auto runway = [](int c) { return c == EndClass::Runway || c == EndClass::RunwayEnd; };
    return runway(s.endClass0) || runway(s.endClass1);
}

// The rollpath whose end is nearest to the hold; among the segments of that
// end, the one passing nearest to it, and of those one that meets a runway
// (map data places holds on a node of the taxiway, between the segment that
// leads to the runway and the one that leads away).
RollpathSegment* SegmentForHold(CRollpathDoc& doc, const DPoint& hold) {
    RollpathSegment* best = nullptr;
    std::tuple<double, double, bool> bestKey{kHoldReachFeet, 0.0, false};
    for (const auto& s : doc.m_pSegments) {
        if (!s->live() || s->type != SegmentType::Rollpath || !doc.IsLiveVertex(s->vertex0) ||
            !doc.IsLiveVertex(s->vertex1)) {
            continue;
        }
        const DPoint a = doc.Vertex(s->vertex0).pos();
        const DPoint b = doc.Vertex(s->vertex1).pos();
        const std::tuple<double, double, bool> key{std::min(Distance(hold, a), Distance(hold, b)),
                                                   DistanceToSegment(hold, a, b), !MeetsRunway(*s)};
        if (std::get<0>(key) <= kHoldReachFeet && (best == nullptr || key < bestKey)) {
            best = s.get();
            bestKey = key;
        }
    }
    return best;
}

}  // namespace

std::optional<std::string> ReadGeoJsonFile(const std::filesystem::path& path, MessageSink& messages) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        messages.Show("Cannot open " + Utf8FromPath(path));
        return std::nullopt;
    }
    std::string text;
    char buffer[64 * 1024];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (text.size() > kMaxGeoJsonFileBytes) {
            messages.Show(Utf8FromPath(path) + " is larger than " +
                          std::to_string(kMaxGeoJsonFileBytes >> 20) + " MB and is not imported");
            return std::nullopt;
        }
    }
    if (in.bad()) {
        messages.Show("Cannot read " + Utf8FromPath(path));
        return std::nullopt;
    }
    return text;
}

std::optional<GeoJsonImportSummary> ImportGeoJson(CRollpathDoc& doc, std::string_view text,
                                                  const GeoJsonImportOptions& options) {
    if (doc.m_bAirportLoaded == 0) {
        doc.Messages().Show("Open an airport before importing a layout");
        return std::nullopt;
    }
    GeoJsonArea area;
    area.benchLat = doc.m_Airport.lat;
    area.benchLon = doc.m_Airport.lon;
    area.maxDistanceNm = kMaxRunwayDistanceNm;
    area.defaultWidth = options.defaultWidth;
    GeoJsonReadResult read = ReadGeoJsonPlan(text, area);
    if (!read.plan) {
        doc.Messages().Show(read.error);
        return std::nullopt;
    }
    const GeoJsonPlan& plan = *read.plan;
    const JoinedChains joined = JoinChains(plan, std::max(1, doc.GetSettings().MaxVertexRadius));
    if (const std::string refusal = CapacityRefusal(doc, plan, joined); !refusal.empty()) {
        doc.Messages().Show(refusal);
        return std::nullopt;
    }

    GeoJsonImportSummary summary;
    summary.wrongGeometry = plan.wrongGeometry;
    summary.beyondArea = plan.beyondArea;
    summary.otherFeatures = plan.otherFeatures;
    summary.segments = AddSegments(doc, plan, joined);
    const std::size_t polygonsBefore = doc.m_pPolygons.size();
    for (const PlannedPolygon& planned : plan.polygons) {
        if (HasPolygon(doc, polygonsBefore, planned.points)) {
            continue;
        }
        GroundPolygon& polygon = doc.AppendPolygon();
        polygon.kind = planned.kind;
        polygon.points = planned.points;
        ++summary.polygons;
    }
    for (const PlannedVertexFlags& planned : plan.vertexFlags) {
        if (const int k = NearestVertex(doc, planned.at, 1.0); k >= 0) {
            doc.Vertex(k).flags = planned.flags;
        }
    }
    doc.ClearTouched();
    RebuildNetwork(doc);
    doc.ClearTouched();
    for (const PlannedHold& hold : plan.holds) {
        if (RollpathSegment* s = SegmentForHold(doc, hold.at)) {
            s->flags |= hold.critical ? SegmentFlag::CriticalHold : SegmentFlag::RunwayHold;
            ++summary.holds;
        } else {
            ++summary.holdsUnmatched;
        }
    }
    RebuildAllPavement(doc);
    ComputeTileGrid(doc);
    return summary;
}

namespace {

std::string Count(int n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

std::string ImportSummaryText(const GeoJsonImportSummary& s) {
    std::string text = "Imported " + Count(s.segments, "rollpath segment", "rollpath segments") + ", " +
                       Count(s.polygons, "ground polygon", "ground polygons") + " and " +
                       Count(s.holds, "hold", "holds") + ".";
    std::string skipped;
    const auto add = [&skipped](int n, const std::string& what) {
        if (n > 0) {
            skipped += (skipped.empty() ? " Skipped: " : ", ") + what;
        }
    };
    add(s.wrongGeometry, Count(s.wrongGeometry, "feature", "features") + " of a wrong geometry type");
    add(s.beyondArea, Count(s.beyondArea, "feature", "features") + " beyond 50 nm");
    add(s.holdsUnmatched, Count(s.holdsUnmatched, "holding position", "holding positions") +
                              " with no segment end within 100 ft");
    add(s.otherFeatures, Count(s.otherFeatures, "feature", "features") + " of other kinds");
    return skipped.empty() ? text : text + skipped + ".";
}

}  // namespace rollpath
