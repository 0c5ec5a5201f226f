#pragma once

// The large synthetic airport as the editor shows it, and the vertices where
// four rollpaths cross away from the runways, which the drag benchmarks move.

#include <memory>
#include <vector>

#include "document/RollpathDoc.h"
#include "pavement/NetworkIndex.h"
#include "support/SyntheticAirport.h"

namespace rollpath::bench {

inline std::unique_ptr<CRollpathDoc> PavedAirport() {
    auto doc = std::make_unique<CRollpathDoc>();
    testing::BuildSyntheticAirport(*doc);
    testing::PaveSyntheticAirport(*doc);
    return doc;
}

// Up to `wanted` of them, in pool order.
inline std::vector<int> PlainCrossings(const CRollpathDoc& doc, std::size_t wanted) {
    std::vector<int> found;
    const VertexIncidence incidence(doc);
    for (int v = 0; v < doc.m_nVertices && found.size() < wanted; ++v) {
        const auto segments = incidence.SegmentsAt(v);
        bool plain = doc.IsLiveVertex(v) && segments.size() == 4;
        for (const int i : segments) {
            const RollpathSegment& s = *doc.m_pSegments[static_cast<std::size_t>(i)];
            plain = plain && s.type == SegmentType::Rollpath && s.endClass0 == EndClass::Rollpath &&
                    s.endClass1 == EndClass::Rollpath;
        }
        if (plain) {
            found.push_back(v);
        }
    }
    return found;
}

}  // namespace rollpath::bench
