// short-segment, duplicate-segment and sharp-turn: the shape of the network
// segment by segment and vertex by vertex.

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <tuple>
#include <vector>

#include "checks/CheckContext.h"
#include "checks/ObjectNames.h"
#include "geometry/PortableMath.h"

namespace rollpath {

void CheckShortSegments(CheckContext& context) {
    for (int i = 0; i < context.SegmentCount(); ++i) {
        const RollpathSegment& s = context.Segment(i);
        if (!context.UsableRollpath(i) || (s.flags & SegmentFlag::NoPolygon) != 0) {
            continue;
        }
        const double length = context.Length(i);
        if (length < s.width) {
            context.Add(CheckId::ShortSegment,
                        SegmentName(s) + " is " + FormatNumber(length) +
                            " ft long, shorter than its width of " + FormatNumber(s.width) + " ft",
                        context.Midpoint(i), ObjectRef::Segment(i));
        }
    }
}

void CheckDuplicateSegments(CheckContext& context) {
    // (lower vertex, higher vertex, list index) of every usable segment.
    std::vector<std::tuple<int, int, int>> ends;
    for (int i = 0; i < context.SegmentCount(); ++i) {
        const RollpathSegment& s = context.Segment(i);
        if (context.Usable(i) && s.vertex0 != s.vertex1) {
            ends.emplace_back(std::min(s.vertex0, s.vertex1), std::max(s.vertex0, s.vertex1), i);
        }
    }
    std::sort(ends.begin(), ends.end());
    std::vector<int> later;
    for (std::size_t k = 1; k < ends.size(); ++k) {
        const auto [a, b, i] = ends[k];
        const auto [a0, b0, first] = ends[k - 1];
        if (a == a0 && b == b0) {
            later.push_back(i);
        }
    }
    std::sort(later.begin(), later.end());
    for (const int i : later) {
        const RollpathSegment& s = context.Segment(i);
        context.Add(CheckId::DuplicateSegment,
                    SegmentName(s) + " joins the same two vertices as a segment drawn before it",
                    context.Midpoint(i), ObjectRef::Segment(i));
    }
}

void CheckSharpTurns(CheckContext& context) {
    struct Arm {
        double angle;  // degrees, of the direction from the vertex
        int segment;
        int far;  // the vertex at its other end
    };
    std::vector<Arm> arms;
    const double limit = context.limits.sharpTurnDegrees;
    for (int v = 0; v < context.doc.m_nVertices; ++v) {
        const auto at = context.incidence.SegmentsAt(v);
        if (at.size() < 2 || !context.doc.Vertex(v).live()) {
            continue;
        }
        const DPoint p = context.doc.Vertex(v).pos();
        arms.clear();
        for (const int i : at) {
            const RollpathSegment& s = context.Segment(i);
            if (s.type != SegmentType::Rollpath || s.vertex0 == s.vertex1) {
                continue;
            }
            const int far = s.vertex0 == v ? s.vertex1 : s.vertex0;
            const DPoint q = context.doc.Vertex(far).pos();
            if (q == p) {
                continue;
            }
            arms.push_back(Arm{math::Atan2(q.y - p.y, q.x - p.x) * 180.0 / std::numbers::pi, i, far});
        }
        if (arms.size() < 2) {
            continue;
        }
        std::sort(arms.begin(), arms.end(), [](const Arm& a, const Arm& b) { return a.angle < b.angle; });
        // Neighbours around the vertex; two arms make one pair.
        const std::size_t pairs = arms.size() == 2 ? 1 : arms.size();
        for (std::size_t k = 0; k < pairs; ++k) {
            const Arm& a = arms[k];
            const Arm& b = arms[(k + 1) % arms.size()];
            double between = b.angle - a.angle;
            if (between < 0.0) {
                between += 360.0;
            }
            if (arms.size() == 2) {
                between = std::min(between, 360.0 - between);
            }
            // Two segments to one vertex are duplicate-segment's to report.
            if (between < limit && a.far != b.far) {
                context.Add(CheckId::SharpTurn,
                            SegmentName(context.Segment(a.segment)) + " and " +
                                SegmentName(context.Segment(b.segment)) + " meet at " + VertexName(v) +
                                " at " + FormatNumber(between) + " degrees",
                            p, ObjectRef::Vertex(v));
            }
        }
    }
}

}  // namespace rollpath
