#include "scenery/PavementSections.h"

#include <cassert>

#include "document/Records.h"
#include "geometry/PolygonMeasures.h"
#include "scenery/BinaryIO.h"
#include "scenery/Origin.h"

namespace rollpath {
namespace {

// The constant words of a mesh section header and of a polygon record; the
// reader ignores them, the simulator expects them as they are.
constexpr std::uint32_t kMeshHeader[4] = {20, 65536, 2, 0};
constexpr std::uint32_t kPolygonWord0 = 5;
constexpr std::uint32_t kPolygonTail[4] = {0, 65535, 0, 0};

constexpr std::uint32_t kLightPointShape = 1;
constexpr std::uint32_t kLightRunShape = 2;

// Calls fn(n, indices) for every whole polygon of the index list.
template <typename Fn>
void ForEachPolygon(std::span<const std::uint32_t> words, Fn fn) {
    std::size_t i = 0;
    while (i < words.size()) {
        const std::uint32_t n = words[i];
        if (n > words.size() - i - 1) {
            return;  // a polygon cut short is left out
        }
        fn(n, words.subspan(i + 1, n));
        i += 1 + static_cast<std::size_t>(n);
    }
}

}  // namespace

std::string_view MeshSectionTag(MeshSection section) {
    switch (section) {
        case MeshSection::Pavement:
            return "<pave>";
        case MeshSection::EdgeMarkings:
            return "<edmk>";
        case MeshSection::CentreMarkings:
            return "<cntr>";
    }
    return "<pave>";
}

void WritePavementHeader(ByteWriter& w, double latDegrees, double lonDegrees, const TileGrid& grid) {
    w.Tag("<bgno>");
    w.Tag("<orgn>");
    WriteOriginPayload(w, latDegrees, lonDegrees);
    w.Tag("<tlxz>");
    w.U32(grid.columns);
    w.U32(grid.rows);
    w.Tag("<feet>");
    w.F32(grid.side);
    w.Tag("<lowl>");
    for (const double v : grid.lowerLeft) {
        w.F64(v);
    }
}

void WriteTileStart(ByteWriter& w, std::uint32_t column, std::uint32_t row) {
    w.Tag("<tile>");
    w.Tag("<bgno>");
    w.Tag("<indx>");
    w.U32(column);
    w.U32(row);
}

std::uint32_t MeshSectionByteCount(std::size_t vertexCount, std::span<const std::uint32_t> indexWords) {
    std::uint64_t bytes = 12 * (static_cast<std::uint64_t>(vertexCount) + 2);
    ForEachPolygon(indexWords, [&](std::uint32_t n, std::span<const std::uint32_t>) { bytes += 24 + 4 * n; });
    return static_cast<std::uint32_t>(bytes);
}

void WriteMeshSection(ByteWriter& w, MeshSection section, std::span<const DPoint> vertices,
                      std::span<const std::uint32_t> indexWords) {
    w.Tag(MeshSectionTag(section));
    w.U32(MeshSectionByteCount(vertices.size(), indexWords));
    for (const std::uint32_t word : kMeshHeader) {
        w.U32(word);
    }
    w.U32(static_cast<std::uint32_t>(vertices.size()));
    for (const DPoint& p : vertices) {
        w.I32(RoundAwayFromZero(p.x * kMeshUnitsPerFoot));
        w.I32(0);
        w.I32(RoundAwayFromZero(p.y * kMeshUnitsPerFoot));
    }
    ForEachPolygon(indexWords, [&](std::uint32_t n, std::span<const std::uint32_t> indices) {
        w.U32(kPolygonWord0);
        w.U32(n);
        for (const std::uint32_t word : kPolygonTail) {
            w.U32(word);
        }
        for (const std::uint32_t k : indices) {
            assert(k < vertices.size());
            w.U32(k);
        }
    });
    w.U32(0);
}

void WriteLightSection(ByteWriter& w, std::span<const TileLightPoint> points,
                       std::span<const TileLightRun> runs) {
    w.Tag("<lite>");
    w.U32(static_cast<std::uint32_t>(16 * points.size() + 28 * runs.size() + 4));
    for (const TileLightPoint& p : points) {
        w.U32(kLightPointShape);
        w.U32(p.lightClass);
        w.F32(static_cast<float>(p.x));
        w.F32(static_cast<float>(p.y));
    }
    for (const TileLightRun& r : runs) {
        w.U32(kLightRunShape);
        w.U32(r.lightClass);
        w.F32(static_cast<float>(r.x0));
        w.F32(static_cast<float>(r.y0));
        w.F32(static_cast<float>(r.x1));
        w.F32(static_cast<float>(r.y1));
        w.F32(static_cast<float>(r.spacing));
    }
    w.U32(0);
}

void WriteTileEnd(ByteWriter& w) {
    w.Tag("<endo>");
}

void WritePavementEnd(ByteWriter& w) {
    w.Tag("<endo>");
}

}  // namespace rollpath
