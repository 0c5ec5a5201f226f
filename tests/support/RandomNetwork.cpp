#include "support/RandomNetwork.h"

#include <cmath>
#include <vector>

#include "support/DeterministicRandom.h"
#include "support/NetworkBuilder.h"

namespace rollpath::testing {

namespace {

constexpr double kArea = 3000.0;

DPoint RandomPoint(DeterministicRandom& rng) {
    return DPoint{rng.Uniform(0.0, kArea), rng.Uniform(0.0, kArea)};
}

DPoint Near(DeterministicRandom& rng, const DPoint& p, double reach) {
    return DPoint{p.x + rng.Uniform(-reach, reach), p.y + rng.Uniform(-reach, reach)};
}

void RandomSettings(Settings& s, DeterministicRandom& rng) {
    const int radii[] = {0, 10, 25, 40};
    const int lengths[] = {0, 10, 25, 60};
    s.MaxVertexRadius = radii[rng.Int(0, 3)];
    s.MaxSegLength = lengths[rng.Int(0, 3)];
    s.MarkShort = rng.Int(0, 80);
    s.EdgeWidth = rng.Uniform(0.5, 2.0);
    s.EdgeInset = rng.Uniform(0.0, 4.0);
    s.LiteOffset = rng.Uniform(0.0, 10.0);
}

void RandomRunways(CRollpathDoc& doc, DeterministicRandom& rng) {
    const int count = rng.Int(0, 3);
    for (int r = 0; r < count; ++r) {
        const DPoint centre = RandomPoint(rng);
        const double heading = rng.Uniform(0.0, 2.0 * 3.141592653589793);
        const double half = rng.Uniform(500.0, 1500.0);
        // Some runways lie exactly along an axis, as they often do.
        const double a =
            rng.Chance(0.3) ? std::round(heading / (3.141592653589793 / 2.0)) * 1.5707963267948966 : heading;
        const DPoint d{std::cos(a) * half, std::sin(a) * half};
        AddRunway(doc, {centre.x - d.x, centre.y - d.y}, {centre.x + d.x, centre.y + d.y}, rng.Int(60, 200));
    }
}

int RandomVertexNear(CRollpathDoc& doc, DeterministicRandom& rng, const std::vector<int>& vertices) {
    if (!vertices.empty() && rng.Chance(0.5)) {
        return vertices[static_cast<std::size_t>(rng.Int(0, static_cast<int>(vertices.size()) - 1))];
    }
    return AddVertexAt(doc, rng.Uniform(0.0, kArea), rng.Uniform(0.0, kArea));
}

// Centre lines of the runways, some leaving the runway past an end and some
// split, with rollpaths meeting them near the ends.
void RunwayNetwork(CRollpathDoc& doc, DeterministicRandom& rng, std::vector<int>& vertices) {
    for (const auto& runwayPtr : doc.m_pRunways) {
        const RunwayRecord& r = *runwayPtr;
        const DPoint d{r.end1.x - r.end0.x, r.end1.y - r.end0.y};
        const double beyond = rng.Chance(0.5) ? rng.Uniform(1.02, 1.3) : 1.0;
        const DPoint far{r.end0.x + beyond * d.x, r.end0.y + beyond * d.y};
        const int a = AddVertexAt(doc, r.end0.x, r.end0.y);
        const int b = AddVertexAt(doc, far.x, far.y);
        int from = a;
        if (rng.Chance(0.5)) {
            const double t = rng.Uniform(0.0, 0.03);
            const int mid = AddVertexAt(doc, r.end0.x + t * d.x + rng.Uniform(-5, 5), r.end0.y + t * d.y);
            AddSegment(doc, a, mid, r.width, SegmentType::RunwayCentreLine);
            const int spur =
                AddVertexAt(doc, r.corners[1].x + rng.Uniform(-100, 100), r.corners[1].y - 150.0);
            AddSegment(doc, mid, spur, rng.Int(30, 80));
            vertices.push_back(mid);
            from = mid;
        }
        AddSegment(doc, from, b, r.width,
                   rng.Chance(0.8) ? SegmentType::RunwayCentreLine : SegmentType::Rollpath);
        vertices.push_back(a);
        vertices.push_back(b);
    }
}

void RandomSegments(CRollpathDoc& doc, DeterministicRandom& rng, std::vector<int>& vertices) {
    const int count = rng.Int(8, 32);
    for (int k = 0; k < count; ++k) {
        const int a = RandomVertexNear(doc, rng, vertices);
        int b = -1;
        if (rng.Chance(0.7)) {
            // Mostly short segments, as drawn; some span the whole area.
            const DPoint p = Near(rng, doc.Vertex(a).pos(), 700.0);
            b = AddVertexAt(doc, p.x, p.y);
        } else {
            b = RandomVertexNear(doc, rng, vertices);
        }
        if (b == a) {
            b = AddVertexAt(doc, rng.Uniform(0.0, kArea), rng.Uniform(0.0, kArea));
        }
        vertices.push_back(a);
        vertices.push_back(b);
        const int type = rng.Chance(0.1) ? SegmentType::RunwayCentreLine : SegmentType::Rollpath;
        int flags = rng.Chance(0.15) ? SegmentFlag::NoPolygon : 0;
        flags |= rng.Chance(0.1) ? SegmentFlag::RunwayHold : 0;
        RollpathSegment& s = AddSegment(doc, a, b, rng.Int(20, 110), type, flags);
        s.reserved = rng.Chance(0.05) ? SegmentMark::Provisional : 0;
    }
}

// Ends stopping short of (or just past) other segments, and near-duplicate
// vertices.
void UntidyEnds(CRollpathDoc& doc, DeterministicRandom& rng, std::vector<int>& vertices) {
    const int segments = static_cast<int>(doc.m_pSegments.size());
    const int dangling = segments > 0 ? rng.Int(0, 12) : 0;
    for (int k = 0; k < dangling; ++k) {
        const RollpathSegment& target = *doc.m_pSegments[static_cast<std::size_t>(rng.Int(0, segments - 1))];
        const DPoint a = doc.Vertex(target.vertex0).pos();
        const DPoint b = doc.Vertex(target.vertex1).pos();
        const double t = rng.Chance(0.2) ? rng.Uniform(0.0, 0.1) : rng.Uniform(0.0, 1.0);
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        if (length <= 0.0) {
            continue;
        }
        const DPoint n{-(b.y - a.y) / length, (b.x - a.x) / length};
        const double side = rng.Chance(0.5) ? 1.0 : -1.0;
        const double off = side * rng.Uniform(-10.0, 80.0);
        const DPoint end{a.x + t * (b.x - a.x) + off * n.x, a.y + t * (b.y - a.y) + off * n.y};
        const double reach = rng.Uniform(50.0, 400.0);
        const DPoint start{end.x + side * reach * n.x + rng.Uniform(-40, 40), end.y + side * reach * n.y};
        const int v0 = AddVertexAt(doc, start.x, start.y);
        const int v1 = AddVertexAt(doc, end.x, end.y);
        if (rng.Chance(0.5)) {
            AddSegment(doc, v0, v1, rng.Int(20, 80));
        } else {
            AddSegment(doc, v1, v0, rng.Int(20, 80));
        }
        vertices.push_back(v1);
    }
    const int duplicates = rng.Int(0, 10);
    for (int k = 0; k < duplicates && !vertices.empty(); ++k) {
        const int v = vertices[static_cast<std::size_t>(rng.Int(0, static_cast<int>(vertices.size()) - 1))];
        const DPoint p = Near(rng, doc.Vertex(v).pos(), 45.0);
        const int d = AddVertexAt(doc, p.x, p.y);
        AddSegment(doc, d, AddVertexAt(doc, p.x + rng.Uniform(-300, 300), p.y + rng.Uniform(-300, 300)),
                   rng.Int(20, 80));
    }
}

// Deleted records, a damaged vertex index, source, sink and touched entries.
void Sprinkle(CRollpathDoc& doc, DeterministicRandom& rng) {
    for (auto& s : doc.m_pSegments) {
        if (rng.Chance(0.04)) {
            s->state = -1;
        }
    }
    if (!doc.m_pSegments.empty() && rng.Chance(0.1)) {
        RollpathSegment& s = *doc.m_pSegments[static_cast<std::size_t>(
            rng.Int(0, static_cast<int>(doc.m_pSegments.size()) - 1))];
        s.vertex1 = rng.Chance(0.5) ? -3 : kMaxVertices + 5;
    }
    for (int v = 0; v < doc.m_nVertices; ++v) {
        if (rng.Chance(0.02)) {
            doc.Vertex(v).state = -1;
        }
    }
    doc.ClearTouched();
    const int touched = rng.Int(0, 20);
    for (int k = 0; k < touched && doc.m_nVertices > 0; ++k) {
        doc.TouchVertex(rng.Int(0, doc.m_nVertices - 1));
    }
    if (doc.m_nVertices > 0) {
        doc.m_nSource = rng.Chance(0.5) ? rng.Int(0, doc.m_nVertices - 1) : -1;
        doc.m_nSink = rng.Chance(0.5) ? rng.Int(0, doc.m_nVertices - 1) : -1;
    }
}

}  // namespace

void BuildRandomNetwork(CRollpathDoc& doc, std::uint64_t seed) {
    DeterministicRandom rng(seed);
    RandomSettings(doc.GetSettings(), rng);
    RandomRunways(doc, rng);
    std::vector<int> vertices;
    RunwayNetwork(doc, rng, vertices);
    RandomSegments(doc, rng, vertices);
    UntidyEnds(doc, rng, vertices);
    Sprinkle(doc, rng);
}

}  // namespace rollpath::testing
