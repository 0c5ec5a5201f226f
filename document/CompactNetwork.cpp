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
    // Only the vertices met are copied; the pool keeps its slots.
    std::vector<int> newIndex(static_cast<std::size_t>(doc.m_nVertices), -1);
    std::vector<NetworkVertex> met;
    for (const auto& segment : doc.m_pSegments) {
        if (!segment->live()) {
            continue;
        }
        for (const int old : {segment->vertex0, segment->vertex1}) {
            int& slot = newIndex[static_cast<std::size_t>(old)];
            if (slot < 0) {
                slot = static_cast<int>(met.size());
                met.push_back(std::move(doc.Vertex(old)));
            }
        }
    }
    const int count = static_cast<int>(met.size());
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

    // Vertices that were not met go, their products too.
    for (int i = 0; i < doc.m_nVertices; ++i) {
        doc.Vertex(i) = i < count ? std::move(met[static_cast<std::size_t>(i)]) : NetworkVertex{};
    }
    doc.m_nVertices = count;
    // Indices in the touched list named old slots.
    doc.ClearTouched();
    ++doc.m_nPoolRenumbered;
}

}  // namespace rollpath
