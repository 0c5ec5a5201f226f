#include "document/CompactNetwork.h"

#include <utility>
#include <vector>

namespace rollpath {

void CompactNetwork(CRollpathDoc& doc) {
    if (doc.m_pSegments.empty()) {
        return;
    }
    for (auto& segment : doc.m_pSegments) {
        if (segment->vertex0 == segment->vertex1) {
            segment->state = -1;
        }
        // A live segment without its vertices cannot be written; only a
        // damaged file could have made one.
        if (segment->live() && (segment->vertex0 < 0 || segment->vertex0 >= doc.m_nVertices ||
                                segment->vertex1 < 0 || segment->vertex1 >= doc.m_nVertices)) {
            segment->state = -1;
        }
    }

    // New index of every old slot, in the order the live segments meet them.
    std::vector<int> newIndex(static_cast<std::size_t>(doc.m_nVertices), -1);
    std::vector<NetworkVertex> pool(static_cast<std::size_t>(kMaxVertices));
    int count = 0;
    for (const auto& segment : doc.m_pSegments) {
        if (!segment->live()) {
            continue;
        }
        for (const int old : {segment->vertex0, segment->vertex1}) {
            int& slot = newIndex[static_cast<std::size_t>(old)];
            if (slot < 0) {
                slot = count++;
                pool[static_cast<std::size_t>(slot)] = std::move(doc.Vertex(old));
            }
        }
    }
    for (auto& segment : doc.m_pSegments) {
        if (segment->live()) {
            segment->vertex0 = newIndex[static_cast<std::size_t>(segment->vertex0)];
            segment->vertex1 = newIndex[static_cast<std::size_t>(segment->vertex1)];
        }
    }
    const auto renumber = [&](int index) {
        return index >= 0 && index < doc.m_nVertices ? newIndex[static_cast<std::size_t>(index)] : -1;
    };
    doc.m_nSource = renumber(doc.m_nSource);
    doc.m_nSink = renumber(doc.m_nSink);

    // Vertices that were not met go with the old pool, their products too.
    doc.m_Vertices = std::move(pool);
    doc.m_nVertices = count;
    // Indices in the touched list named old slots.
    doc.ClearTouched();
    ++doc.m_nPoolRenumbered;
}

}  // namespace rollpath
