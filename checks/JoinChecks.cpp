// dangling-end and missing-hold: how rollpath ends meet the network.

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "checks/CheckContext.h"
#include "checks/ObjectNames.h"
#include "geometry/PortableMath.h"

namespace rollpath {

namespace {

double DistanceToSegment(const DPoint& p, const DPoint& a, const DPoint& b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0.0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return math::Hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

bool ShareVertex(const RollpathSegment& a, const RollpathSegment& b) {
    return a.vertex0 == b.vertex0 || a.vertex0 == b.vertex1 || a.vertex1 == b.vertex0 ||
           a.vertex1 == b.vertex1;
}

struct NearMiss {
    int segment = -1;
    double gap = std::numeric_limits<double>::infinity();  // from the pavement edge, feet
};

class DeadEndSearch {
public:
    explicit DeadEndSearch(const CheckContext& context) : context_(context) {
        std::vector<Box> boxes(static_cast<std::size_t>(context.SegmentCount()));
        for (int i = 0; i < context.SegmentCount(); ++i) {
            const RollpathSegment& s = context.Segment(i);
            boxes[static_cast<std::size_t>(i)] = SegmentBox(context.doc, s, 0.0);
            if (context.Usable(i)) {
                maxHalfWidth_ = std::max(maxHalfWidth_, static_cast<double>(std::fabs(s.width)) / 2.0);
            }
        }
        // Cells about as large as a query: a few cells per query and per
        // segment.
        grid_.emplace(boxes, std::max(2.0 * (context.limits.joinDistance + maxHalfWidth_), 100.0));
    }

    NearMiss Nearest(int segment, const DPoint& end) {
        const double reach = context_.limits.joinDistance + maxHalfWidth_;
        grid_->Query(Box{end.x - reach, end.y - reach, end.x + reach, end.y + reach}, candidates_);
        std::sort(candidates_.begin(), candidates_.end());
        NearMiss best;
        const RollpathSegment& s = context_.Segment(segment);
        for (const int j : candidates_) {
            if (j == segment || !context_.Usable(j) || ShareVertex(s, context_.Segment(j))) {
                continue;
            }
            const double gap = DistanceToSegment(end, context_.End(j, 0), context_.End(j, 1)) -
                               std::fabs(context_.Segment(j).width) / 2.0;
            if (gap < context_.limits.joinDistance && gap < best.gap) {
                best = NearMiss{j, gap};
            }
        }
        return best;
    }

private:
    const CheckContext& context_;
    double maxHalfWidth_ = 0.0;
    std::optional<BoxGrid> grid_;
    std::vector<int> candidates_;
};

}  // namespace

void CheckDanglingEnds(CheckContext& context) {
    std::optional<DeadEndSearch> search;
    for (int i = 0; i < context.SegmentCount(); ++i) {
        const RollpathSegment& s = context.Segment(i);
        if (!context.UsableRollpath(i) || s.vertex0 == s.vertex1) {
            continue;
        }
        for (int end = 0; end < 2; ++end) {
            const int v = s.VertexAt(end);
            if (context.incidence.SegmentsAt(v).size() != 1) {
                continue;
            }
            if (!search) {
                search.emplace(context);
            }
            const DPoint p = context.doc.Vertex(v).pos();
            const NearMiss miss = search->Nearest(i, p);
            if (miss.segment < 0) {
                continue;
            }
            const std::string other = SegmentName(context.Segment(miss.segment));
            const std::string where =
                miss.gap <= 0.0 ? "lies on " + other
                                : "stops " + FormatNumber(miss.gap) + " ft from the edge of " + other;
            context.Add(CheckId::DanglingEnd,
                        "the dead end of " + SegmentName(s) + " at " + VertexName(v) + " " + where +
                            " without joining it",
                        p, ObjectRef::Vertex(v));
        }
    }
}

void CheckMissingHolds(CheckContext& context) {
    constexpr int kHolds = SegmentFlag::RunwayHold | SegmentFlag::CriticalHold;
    for (int i = 0; i < context.SegmentCount(); ++i) {
        const RollpathSegment& s = context.Segment(i);
        // A rollpath without pavement cannot carry a hold marking.
        if (!context.UsableRollpath(i) || (s.flags & (kHolds | SegmentFlag::NoPolygon)) != 0) {
            continue;
        }
        for (int end = 0; end < 2; ++end) {
            const int v = s.VertexAt(end);
            const auto at = context.incidence.SegmentsAt(v);
            const bool onRunway = std::any_of(at.begin(), at.end(), [&context](int j) {
                return context.Segment(j).type == SegmentType::RunwayCentreLine;
            });
            if (!onRunway) {
                continue;
            }
            const DPoint p = context.doc.Vertex(v).pos();
            const std::string runway = RunwayAt(context.doc, p);
            context.Add(CheckId::MissingHold,
                        SegmentName(s) + " joins " +
                            (runway.empty() ? "a runway centre line" : "runway " + runway) + " at " +
                            VertexName(v) + " without a Runway Hold or Critical Hold",
                        p, ObjectRef::Segment(i));
            break;
        }
    }
}

}  // namespace rollpath
