#include "document/CompactNetwork.h"

#include <vector>

#include "document/PoolRenumbering.h"

namespace rollpath {

void CompactNetwork(CRollpathDoc& doc) {
    if (doc.m_pSegments.empty()) {
        return;
    }
    // What was edited before the Save is a step of its own, so that undoing
    // it goes back through the renumbering.
    doc.History().BeforeRenumbering();
    PoolRenumbering plan = PlanCompaction(doc);
    std::vector<RollpathSegment*> segments;
    segments.reserve(doc.m_pSegments.size());
    for (const auto& s : doc.m_pSegments) {
        segments.push_back(s.get());
    }
    RenumberForward(PoolView{segments, doc.m_Vertices, doc.m_nVertices, doc.m_nSource, doc.m_nSink}, plan);
    // Indices in the touched list named old slots.
    doc.ClearTouched();
    ++doc.m_nPoolRenumbered;
    doc.History().AfterRenumbering(std::move(plan));
}

}  // namespace rollpath
