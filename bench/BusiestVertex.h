#pragma once

#include <cstddef>

#include "document/RollpathDoc.h"
#include "pavement/NetworkIndex.h"

namespace rollpath::bench {

// The vertex with the most segments: the costliest junction to rebuild and
// to repaint while dragged.
inline int BusiestVertex(const CRollpathDoc& doc) {
    const VertexIncidence incidence(doc);
    int best = -1;
    std::size_t most = 0;
    for (int v = 0; v < doc.m_nVertices; ++v) {
        if (doc.IsLiveVertex(v) && incidence.SegmentsAt(v).size() > most) {
            most = incidence.SegmentsAt(v).size();
            best = v;
        }
    }
    return best;
}

}  // namespace rollpath::bench
