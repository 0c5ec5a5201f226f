#include "checks/LayoutFingerprint.h"

#include <bit>
#include <span>
#include <string_view>

namespace rollpath {

namespace {

// FNV-1a over 64-bit words.
class Hash {
public:
    void Add(std::uint64_t word) {
        value_ ^= word;
        value_ *= 0x100000001B3ull;
    }
    void Add(double v) { Add(std::bit_cast<std::uint64_t>(v)); }
    void Add(int v) { Add(static_cast<std::uint64_t>(static_cast<std::uint32_t>(v))); }
    void Add(std::string_view text) {
        Add(static_cast<std::uint64_t>(text.size()));
        for (const char c : text) {
            Add(static_cast<std::uint64_t>(static_cast<unsigned char>(c)));
        }
    }
    std::uint64_t value() const { return value_; }

private:
    std::uint64_t value_ = 0xCBF29CE484222325ull;
};

}  // namespace

std::uint64_t LayoutFingerprint(const CRollpathDoc& doc) {
    Hash h;
    h.Add(static_cast<std::uint64_t>(doc.m_nRecordsReleased));
    h.Add(static_cast<std::uint64_t>(doc.m_nPoolRenumbered));
    h.Add(doc.m_nVertices);
    for (int v = 0; v < doc.m_nVertices; ++v) {
        const NetworkVertex& vertex = doc.Vertex(v);
        h.Add(vertex.x);
        h.Add(vertex.y);
        h.Add(vertex.flags);
        h.Add(vertex.state);
        h.Add(vertex.junctionPolys.size());
    }
    h.Add(static_cast<std::uint64_t>(doc.m_pSegments.size()));
    for (const auto& s : doc.m_pSegments) {
        h.Add(s->vertex0);
        h.Add(s->vertex1);
        h.Add(s->type);
        h.Add(static_cast<double>(s->width));
        h.Add(s->flags);
        h.Add(s->state);
    }
    h.Add(static_cast<std::uint64_t>(doc.m_pPolygons.size()));
    for (const auto& polygon : doc.m_pPolygons) {
        h.Add(polygon->state);
        h.Add(polygon->count());
        for (const DPoint& p : polygon->points) {
            h.Add(p.x);
            h.Add(p.y);
        }
    }
    h.Add(doc.m_nSource);
    h.Add(doc.m_nSink);
    h.Add(static_cast<std::uint64_t>(doc.m_TileGrid.columns));
    h.Add(static_cast<std::uint64_t>(doc.m_TileGrid.rows));
    h.Add(static_cast<double>(doc.m_TileGrid.side));
    h.Add(doc.m_TileGrid.lowerLeft[0]);
    h.Add(doc.m_TileGrid.lowerLeft[2]);
    h.Add(doc.GetSettings().MaxSegLength);
    h.Add(doc.GetSettings().DisabledChecks);
    return h.value();
}

}  // namespace rollpath
