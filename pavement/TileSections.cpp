#include "pavement/TileSections.h"

#include <array>

#include "pavement/EmitPolygon.h"
#include "pavement/SegmentPieces.h"
#include "pavement/TileContent.h"

namespace rollpath {

namespace {

constexpr int kNoSegmentMarkings = SegmentFlag::NoPolygon | SegmentFlag::NoMarkings;

bool Marked(const NetworkVertex& vertex) {
    return vertex.live() && (vertex.flags & VertexFlag::NoMarkings) == 0;
}

void AddCopies(const std::vector<Quad>& quads, SectionPieces& pieces) {
    for (const Quad& quad : quads) {
        pieces.AddCopy(quad);
    }
}

}  // namespace

void GatherPavement(const CRollpathDoc& doc, SectionPieces& pieces) {
    pieces.Clear();
    std::array<DPoint, 5> extension{};
    for (const auto& segment : doc.m_pSegments) {
        if (!segment->live() || (segment->flags & SegmentFlag::NoPolygon) != 0) {
            continue;
        }
        const std::span<const DPoint> polygon = SegmentPavement(*segment, extension);
        if (polygon.data() == extension.data()) {
            pieces.AddCopy(polygon);
        } else {
            pieces.Add(polygon);
        }
    }
    for (const auto& polygon : doc.m_pPolygons) {
        if (polygon->live()) {
            pieces.Add(polygon->points);
        }
    }
    for (int k = 0; k < doc.m_nVertices; ++k) {
        const NetworkVertex& vertex = doc.Vertex(k);
        if (!vertex.live() || (vertex.flags & VertexFlag::NoPolygon) != 0) {
            continue;
        }
        for (const GroundPolygon& junction : vertex.junctionPolys) {
            pieces.Add(junction.points);
        }
    }
}

void GatherEdgeMarkings(PavementWriteContext& context, SectionPieces& pieces) {
    pieces.Clear();
    const CRollpathDoc& doc = context.doc();
    for (const auto& segment : doc.m_pSegments) {
        if (segment->live() && (segment->flags & kNoSegmentMarkings) == 0) {
            context.quads.clear();
            AppendSegmentEdgeMarkings(*segment, context.quads);
            AddCopies(context.quads, pieces);
        }
    }
    for (int k = 0; k < doc.m_nVertices; ++k) {
        if (Marked(doc.Vertex(k))) {
            for (const Quad& quad : doc.Vertex(k).edgeQuads) {
                pieces.Add(quad);
            }
        }
    }
}

void GatherCentreMarkings(PavementWriteContext& context, SectionPieces& pieces) {
    pieces.Clear();
    const CRollpathDoc& doc = context.doc();
    for (const auto& segment : doc.m_pSegments) {
        if (segment->live() && (segment->flags & kNoSegmentMarkings) == 0) {
            context.quads.clear();
            if (!AppendSegmentCentreMarkings(doc, *segment, true, context.quads)) {
                context.ReportMarkingCut();
            }
            AddCopies(context.quads, pieces);
        }
    }
    for (int k = 0; k < doc.m_nVertices; ++k) {
        if (Marked(doc.Vertex(k))) {
            for (const Quad& quad : doc.Vertex(k).centreQuads) {
                pieces.Add(quad);
            }
        }
    }
}

void EmitSection(PavementWriteContext& context, TileMesh& mesh, const SectionPieces& pieces,
                 const ClipRect& rect) {
    mesh.Clear();
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        if (pieces.ReachesInto(k, rect)) {
            EmitPolygon(context, mesh, pieces.Piece(k), rect);
        }
    }
}

}  // namespace rollpath
