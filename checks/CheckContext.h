#pragma once

// What every check of one run shares: the document, the limits, the
// segments at each vertex, and the list the findings go to.

#include <string>
#include <vector>

#include "checks/LayoutChecks.h"
#include "pavement/NetworkIndex.h"

namespace rollpath {

struct CheckContext {
    CheckContext(const CRollpathDoc& document, const CheckLimits& checkLimits,
                 std::vector<Finding>& findings);

    const CRollpathDoc& doc;
    CheckLimits limits;
    VertexIncidence incidence;  // the usable segments at every vertex, in list order
    std::vector<Finding>& out;

    void Add(CheckId check, std::string message, const DPoint& location, ObjectRef object);

    int SegmentCount() const { return static_cast<int>(doc.m_pSegments.size()); }
    const RollpathSegment& Segment(int index) const {
        return *doc.m_pSegments[static_cast<std::size_t>(index)];
    }
    // Live, with both vertices in the pool.
    bool Usable(int segment) const;
    bool UsableRollpath(int segment) const;
    DPoint End(int segment, int end) const { return doc.Vertex(Segment(segment).VertexAt(end)).pos(); }
    DPoint Midpoint(int segment) const;
    double Length(int segment) const;
};

// The functions of the checks, one per id, in the catalog's order.
void CheckUnreachable(CheckContext& context);
void CheckDanglingEnds(CheckContext& context);
void CheckMissingHolds(CheckContext& context);
void CheckShortSegments(CheckContext& context);
void CheckDuplicateSegments(CheckContext& context);
void CheckSharpTurns(CheckContext& context);
void CheckPolygons(CheckContext& context);
void CheckSourceSink(CheckContext& context);
void CheckOutsideTiles(CheckContext& context);

}  // namespace rollpath
