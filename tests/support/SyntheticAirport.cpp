#include "support/SyntheticAirport.h"

#include <array>
#include <cmath>
#include <vector>

#include "geometry/PolygonMeasures.h"
#include "pavement/NetworkRebuild.h"
#include "pavement/PavementRebuild.h"
#include "support/DeterministicRandom.h"
#include "support/NetworkBuilder.h"

namespace rollpath::testing {

namespace {

// Rollpath grid vertices keep this far from a runway's outline.
constexpr double kRunwayClearance = 60.0;

struct RunwayPlan {
    DPoint end0;
    DPoint end1;
    int width;
    double extension;  // feet of centre line beyond end1
};

// A big field about 15000 ft across, scaled to the grid.
std::vector<RunwayPlan> PlanRunways(double half, DeterministicRandom& rng) {
    const auto at = [half](double fx, double fy) { return DPoint{fx * half, fy * half}; };
    const double j = half * 0.01;
    std::vector<RunwayPlan> plans = {
        {at(-0.85, -0.26), at(0.85, -0.26), 200, 300.0},  // exactly east-west
        {at(-0.78, 0.33), at(0.78, 0.33), 150, 250.0},
        {at(-0.65, -0.78), at(0.59, 0.72), 150, 0.0},
        {at(-0.89, 0.76), at(-0.13, 0.92), 100, 0.0},
        {at(0.68, -0.85), at(0.68, 0.13), 150, 0.0},  // exactly north-south
        {at(-0.92, -0.92), at(-0.33, -0.68), 75, 0.0},
    };
    for (std::size_t r = 2; r < plans.size(); ++r) {
        plans[r].end0.x += rng.Uniform(-j, j);
        plans[r].end1.y += rng.Uniform(-j, j);
    }
    return plans;
}

std::array<DPoint, 4> GrownOutline(const RunwayRecord& r, double margin) {
    const double dx = r.end1.x - r.end0.x;
    const double dy = r.end1.y - r.end0.y;
    const double length = std::hypot(dx, dy);
    const DPoint u{dx / length, dy / length};
    const DPoint n{-u.y, u.x};
    const double h = r.width / 2.0 + margin;
    return {DPoint{r.end0.x - margin * u.x + h * n.x, r.end0.y - margin * u.y + h * n.y},
            DPoint{r.end0.x - margin * u.x - h * n.x, r.end0.y - margin * u.y - h * n.y},
            DPoint{r.end1.x + margin * u.x - h * n.x, r.end1.y + margin * u.y - h * n.y},
            DPoint{r.end1.x + margin * u.x + h * n.x, r.end1.y + margin * u.y + h * n.y}};
}

bool NearAnyRunway(const CRollpathDoc& doc, const DPoint& p, double margin) {
    for (const auto& r : doc.m_pRunways) {
        const auto outline = GrownOutline(*r, margin);
        if (PointInPolygon(p.x, p.y, outline.data(), 4) >= 0) {
            return true;
        }
    }
    return false;
}

// Whether the straight line from a to b passes over a runway.
bool CrossesRunway(const CRollpathDoc& doc, const DPoint& a, const DPoint& b) {
    for (const auto& r : doc.m_pRunways) {
        const auto outline = GrownOutline(*r, kRunwayClearance / 2.0);
        for (int e = 0; e < 4; ++e) {
            DPoint x;
            if (IntersectSegments(a, b, outline[static_cast<std::size_t>(e)],
                                  outline[static_cast<std::size_t>((e + 1) % 4)], x, true) != 0) {
                return true;
            }
        }
    }
    return false;
}

double RollpathWidth(DeterministicRandom& rng) {
    const double widths[] = {35.0, 50.0, 50.0, 75.0};
    return widths[rng.Int(0, 3)];
}

void AddRunways(CRollpathDoc& doc, const std::vector<RunwayPlan>& plans) {
    int number = 1;
    for (const RunwayPlan& p : plans) {
        RunwayRecord& r =
            AddRunway(doc, p.end0, p.end1, p.width, std::to_string(number), std::to_string(number + 18));
        ++number;
        const double dx = p.end1.x - p.end0.x;
        const double dy = p.end1.y - p.end0.y;
        const double length = std::hypot(dx, dy);
        const DPoint far{p.end1.x + p.extension * dx / length, p.end1.y + p.extension * dy / length};
        const int v0 = AddVertexAt(doc, p.end0.x, p.end0.y);
        const int v1 = AddVertexAt(doc, far.x, far.y);
        AddSegment(doc, v0, v1, r.width, SegmentType::RunwayCentreLine);
    }
}

// An exit from a grid vertex beside a runway, stopping a little short of the
// centre line; the first rebuild connects it.
void AddExit(CRollpathDoc& doc, int from, DeterministicRandom& rng) {
    const DPoint p = doc.Vertex(from).pos();
    for (const auto& r : doc.m_pRunways) {
        const DPoint d{r->end1.x - r->end0.x, r->end1.y - r->end0.y};
        const double length2 = d.x * d.x + d.y * d.y;
        const double t = ((p.x - r->end0.x) * d.x + (p.y - r->end0.y) * d.y) / length2;
        if (t < 0.05 || t > 0.95) {
            continue;
        }
        const DPoint foot{r->end0.x + t * d.x, r->end0.y + t * d.y};
        const double off = std::hypot(p.x - foot.x, p.y - foot.y);
        if (off > r->width / 2.0 + kRunwayClearance + 150.0) {
            continue;
        }
        const double shortBy = rng.Uniform(2.0, 12.0);
        const DPoint end{foot.x + (p.x - foot.x) * shortBy / off, foot.y + (p.y - foot.y) * shortBy / off};
        RollpathSegment& s = AddSegment(doc, from, AddVertexAt(doc, end.x, end.y), RollpathWidth(rng));
        s.flags |= rng.Chance(0.5) ? SegmentFlag::RunwayHold : 0;
        return;
    }
}

void AddGrid(CRollpathDoc& doc, const SyntheticAirportOptions& o, DeterministicRandom& rng) {
    const double x0 = -(o.columns - 1) * o.spacing / 2.0;
    const double y0 = -(o.rows - 1) * o.spacing / 2.0;
    const double jitter = o.spacing * 0.08;
    std::vector<int> grid(static_cast<std::size_t>(o.columns * o.rows), -1);
    for (int j = 0; j < o.rows; ++j) {
        for (int i = 0; i < o.columns; ++i) {
            const DPoint p{x0 + i * o.spacing + rng.Uniform(-jitter, jitter),
                           y0 + j * o.spacing + rng.Uniform(-jitter, jitter)};
            if (!NearAnyRunway(doc, p, kRunwayClearance)) {
                grid[static_cast<std::size_t>(j * o.columns + i)] = AddVertexAt(doc, p.x, p.y);
            }
        }
    }
    const auto at = [&](int i, int j) { return grid[static_cast<std::size_t>(j * o.columns + i)]; };
    for (int j = 0; j < o.rows; ++j) {
        for (int i = 0; i < o.columns; ++i) {
            const int v = at(i, j);
            if (v < 0) {
                continue;
            }
            bool besideRunway = false;
            for (const auto& [ni, nj] : {std::pair{i + 1, j}, std::pair{i, j + 1}}) {
                if (ni >= o.columns || nj >= o.rows || at(ni, nj) < 0 || rng.Chance(0.17)) {
                    besideRunway = besideRunway || (ni < o.columns && nj < o.rows && at(ni, nj) < 0);
                    continue;
                }
                const int w = at(ni, nj);
                if (CrossesRunway(doc, doc.Vertex(v).pos(), doc.Vertex(w).pos())) {
                    besideRunway = true;
                    if (!rng.Chance(0.2)) {
                        continue;  // only some grid lines cross a runway
                    }
                }
                AddSegment(doc, v, w, RollpathWidth(rng));
            }
            if (besideRunway && rng.Chance(0.35)) {
                AddExit(doc, v, rng);
            }
        }
    }
    // Shortcuts over two grid cells, each crossing the grid line between.
    for (int k = 0; k < 40; ++k) {
        const int i = rng.Int(0, o.columns - 3);
        const int j = rng.Int(0, o.rows - 2);
        const int from = at(i, j);
        const int to = at(i + 2, j + 1);
        if (from >= 0 && to >= 0 && !CrossesRunway(doc, doc.Vertex(from).pos(), doc.Vertex(to).pos())) {
            AddSegment(doc, from, to, 35.0);
        }
    }
}

// Near-duplicates: a vertex drawn again a few feet from one already there,
// with one of its segments moved onto the copy.
void AddNearDuplicates(CRollpathDoc& doc, DeterministicRandom& rng) {
    const int segments = static_cast<int>(doc.m_pSegments.size());
    for (int k = 0; k < 20; ++k) {
        RollpathSegment& s = *doc.m_pSegments[static_cast<std::size_t>(rng.Int(0, segments - 1))];
        if (s.type != SegmentType::Rollpath) {
            continue;
        }
        const DPoint p = doc.Vertex(s.vertex1).pos();
        s.vertex1 = AddVertexAt(doc, p.x + rng.Uniform(-6.0, 6.0), p.y + rng.Uniform(-6.0, 6.0));
    }
}

void AddPolygons(CRollpathDoc& doc, const SyntheticAirportOptions& o, DeterministicRandom& rng) {
    const double half = (o.columns - 1) * o.spacing / 2.0;
    for (int k = 0; k < o.polygons; ++k) {
        GroundPolygon& g = doc.AppendPolygon();
        g.kind = PolygonKind::Ordinary;
        const DPoint c{rng.Uniform(-half, half), rng.Uniform(-half, half)};
        const double size = rng.Uniform(40.0, 400.0);
        if (rng.Chance(0.3)) {
            // An L-shaped apron (concave).
            const double a = size;
            const double b = size * 0.4;
            g.points = {{c.x, c.y},         {c.x, c.y + a},     {c.x + b, c.y + a},
                        {c.x + b, c.y + b}, {c.x + a, c.y + b}, {c.x + a, c.y}};
        } else {
            const int n = rng.Int(4, 8);
            for (int p = 0; p < n; ++p) {
                const double angle = -2.0 * 3.141592653589793 * p / n;  // clockwise
                const double radius = size * rng.Uniform(0.8, 1.0);
                g.points.push_back({c.x + radius * std::cos(angle), c.y + radius * std::sin(angle)});
            }
        }
    }
}

}  // namespace

void BuildSyntheticAirport(CRollpathDoc& doc, const SyntheticAirportOptions& options) {
    DeterministicRandom rng(options.seed);
    const double half = (std::max(options.columns, options.rows) - 1) * options.spacing / 2.0;
    AddRunways(doc, PlanRunways(half, rng));
    AddGrid(doc, options, rng);
    AddNearDuplicates(doc, rng);
    AddPolygons(doc, options, rng);
    doc.ClearTouched();
}

void PaveSyntheticAirport(CRollpathDoc& doc) {
    for (int pass = 0; pass < 5; ++pass) {
        if (RebuildNetwork(doc) == RebuildNetworkSummary{}) {
            break;
        }
    }
    RebuildAllPavement(doc);
    doc.ClearTouched();
}

}  // namespace rollpath::testing
