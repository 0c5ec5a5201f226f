#include "pavement/TileSections.h"

#include <array>

#include "pavement/EmitPolygon.h"
#include "pavement/ExtensionMarkings.h"
#include "pavement/HoldMarkings.h"
#include "pavement/SegmentPavement.h"

namespace rollpath {

namespace {

constexpr int kNoSegmentMarkings = SegmentFlag::NoPolygon | SegmentFlag::NoMarkings;

void AddBuffer(PavementWriteContext& context, SectionPieces& pieces) {
    context.NoteMarkingBuffer(context.quads);
    for (const Quad& quad : context.quads) {
        pieces.AddCopy(quad);
    }
}

bool Marked(const NetworkVertex& vertex) {
    return vertex.live() && (vertex.flags & VertexFlag::NoMarkings) == 0;
}

void ExtensionCentreMarkings(PavementWriteContext& context, SectionPieces& pieces, const RollpathSegment& s) {
    if ((s.flags & SegmentFlag::BlastPad) != 0) {
        BlastPadQuads(s, context.quads);
        AddBuffer(context, pieces);
        return;
    }
    // Each arrowhead p0 .. p5 is drawn as its two arms.
    for (const std::array<DPoint, 6>& p : s.extensionMarks) {
        const Quad first{p[0], p[1], p[2], p[3]};
        const Quad second{p[0], p[1], p[4], p[5]};
        pieces.AddCopy(first);
        pieces.AddCopy(second);
    }
}

void RollpathCentreMarkings(PavementWriteContext& context, SectionPieces& pieces, const RollpathSegment& s) {
    const CRollpathDoc& doc = context.doc();
    if ((s.flags & SegmentFlag::RunwayHold) != 0) {
        RunwayHoldQuads(doc, s, context.quads);
        AddBuffer(context, pieces);
        HoldEndQuads(doc, s, SegmentFlag::RunwayHold, context.quads);
        AddBuffer(context, pieces);
    } else if ((s.flags & SegmentFlag::CriticalHold) != 0) {
        CriticalHoldQuads(doc, s, context.quads);
        AddBuffer(context, pieces);
        HoldEndQuads(doc, s, SegmentFlag::CriticalHold, context.quads);
        AddBuffer(context, pieces);
    } else {
        pieces.Add(s.centreStripe);
    }
    if ((s.flags & SegmentFlag::Stub0) != 0) {
        pieces.Add(s.stub0);
    }
    if ((s.flags & SegmentFlag::Stub1) != 0) {
        pieces.Add(s.stub1);
    }
    if ((s.flags & SegmentFlag::NoExit) == 0) {
        for (std::size_t k = 0; k < s.exitQuads.size(); ++k) {
            if ((s.exitMask & (1 << k)) != 0) {
                pieces.Add(s.exitQuads[k]);
            }
        }
    }
}

}  // namespace

void GatherPavement(const CRollpathDoc& doc, SectionPieces& pieces) {
    pieces.Clear();
    std::array<DPoint, 5> extension{};
    for (const auto& segment : doc.m_pSegments) {
        if (segment->live() && (segment->flags & SegmentFlag::NoPolygon) == 0) {
            if (HasExtension(*segment)) {
                pieces.AddCopy(SegmentPavementPolygon(*segment, extension));
            } else {
                pieces.Add(SegmentPavementPolygon(*segment, extension));
            }
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

void GatherEdgeMarkings(const CRollpathDoc& doc, SectionPieces& pieces) {
    pieces.Clear();
    for (const auto& segment : doc.m_pSegments) {
        const RollpathSegment& s = *segment;
        if (!s.live() || (s.flags & kNoSegmentMarkings) != 0) {
            continue;
        }
        if (s.type == SegmentType::Rollpath) {
            pieces.Add(s.rightEdgeStripe);
            pieces.Add(s.leftEdgeStripe);
        } else if (HasExtension(s) && (s.flags & SegmentFlag::BlastPad) == 0) {
            pieces.Add(s.extensionEdgeStripes[0]);
            pieces.Add(s.extensionEdgeStripes[1]);
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
        const RollpathSegment& s = *segment;
        if (!s.live() || (s.flags & kNoSegmentMarkings) != 0) {
            continue;
        }
        if (HasExtension(s)) {
            ExtensionCentreMarkings(context, pieces, s);
        } else if (s.type == SegmentType::Rollpath) {
            RollpathCentreMarkings(context, pieces, s);
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
