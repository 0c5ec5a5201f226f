#include "pavement/PavementRebuild.h"

#include "pavement/Junctions.h"
#include "pavement/NetworkIndex.h"
#include "pavement/SegmentGeometry.h"

namespace rollpath {

void RebuildTouchedVertices(CRollpathDoc& doc, const RebuildNetworkOptions& options) {
    VertexIncidence incidence;
    RebuildNetwork(doc, options, incidence);
    const int touched = doc.m_nTouched;
    for (int i = 0; i < touched; ++i) {
        const int k = doc.m_TouchedVertices[static_cast<std::size_t>(i)];
        if (k < 0 || k >= doc.m_nVertices) {
            continue;
        }
        NetworkVertex& v = doc.Vertex(k);
        if (v.visited != 1) {
            ConstructVertexPolygons(doc, k, incidence.SegmentsAt(k));
            v.visited = 1;
        }
    }
    for (int i = 0; i < touched; ++i) {
        const int k = doc.m_TouchedVertices[static_cast<std::size_t>(i)];
        if (k >= 0 && k < doc.m_nVertices) {
            doc.Vertex(k).visited = 0;
        }
    }
}

void RebuildAllPavement(CRollpathDoc& doc) {
    const double markShort = doc.GetSettings().MarkShort;
    for (const auto& segment : doc.m_pSegments) {
        if (!segment->live()) {
            continue;
        }
        SegmentGeometry(doc, *segment);
        for (int end = 0; end < 2; ++end) {
            if (segment->EndClassAt(end) == EndClass::DeadEnd) {
                SegmentEndGeometry(doc, *segment, end, markShort);
            }
        }
    }
    const VertexIncidence incidence(doc);
    for (int k = 0; k < doc.m_nVertices; ++k) {
        if (doc.Vertex(k).live()) {
            ConstructVertexPolygons(doc, k, incidence.SegmentsAt(k));
        }
    }
}

}  // namespace rollpath
