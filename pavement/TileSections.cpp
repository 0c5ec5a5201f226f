#include "pavement/TileSections.h"

#include <array>

#include "pavement/EmitPolygon.h"
#include "pavement/ExtensionMarkings.h"
#include "pavement/HoldMarkings.h"
#include "pavement/SegmentPavement.h"

namespace rollpath {

namespace {

constexpr int kNoSegmentMarkings = SegmentFlag::NoPolygon | SegmentFlag::NoMarkings;

void EmitQuad(PavementWriteContext& context, TileMesh& mesh, const Quad& quad, const ClipRect& rect) {
    EmitPolygon(context, mesh, quad, rect);
}

void EmitBuffer(PavementWriteContext& context, TileMesh& mesh, const ClipRect& rect) {
    context.NoteMarkingBuffer(context.quads);
    for (const Quad& quad : context.quads) {
        EmitQuad(context, mesh, quad, rect);
    }
}

bool Marked(const NetworkVertex& vertex) {
    return vertex.live() && (vertex.flags & VertexFlag::NoMarkings) == 0;
}

void ExtensionCentreMarkings(PavementWriteContext& context, TileMesh& mesh, const RollpathSegment& s,
                             const ClipRect& rect) {
    if ((s.flags & SegmentFlag::BlastPad) != 0) {
        BlastPadQuads(s, context.quads);
        EmitBuffer(context, mesh, rect);
        return;
    }
    // Each arrowhead p0 .. p5 is drawn as its two arms.
    for (const std::array<DPoint, 6>& p : s.extensionMarks) {
        EmitQuad(context, mesh, Quad{p[0], p[1], p[2], p[3]}, rect);
        EmitQuad(context, mesh, Quad{p[0], p[1], p[4], p[5]}, rect);
    }
}

void RollpathCentreMarkings(PavementWriteContext& context, TileMesh& mesh, const RollpathSegment& s,
                            const ClipRect& rect) {
    const CRollpathDoc& doc = context.doc();
    if ((s.flags & SegmentFlag::RunwayHold) != 0) {
        RunwayHoldQuads(doc, s, context.quads);
        EmitBuffer(context, mesh, rect);
        HoldEndQuads(doc, s, SegmentFlag::RunwayHold, context.quads);
        EmitBuffer(context, mesh, rect);
    } else if ((s.flags & SegmentFlag::CriticalHold) != 0) {
        CriticalHoldQuads(doc, s, context.quads);
        EmitBuffer(context, mesh, rect);
        HoldEndQuads(doc, s, SegmentFlag::CriticalHold, context.quads);
        EmitBuffer(context, mesh, rect);
    } else {
        EmitQuad(context, mesh, s.centreStripe, rect);
    }
    if ((s.flags & SegmentFlag::Stub0) != 0) {
        EmitQuad(context, mesh, s.stub0, rect);
    }
    if ((s.flags & SegmentFlag::Stub1) != 0) {
        EmitQuad(context, mesh, s.stub1, rect);
    }
    if ((s.flags & SegmentFlag::NoExit) == 0) {
        for (std::size_t k = 0; k < s.exitQuads.size(); ++k) {
            if ((s.exitMask & (1 << k)) != 0) {
                EmitQuad(context, mesh, s.exitQuads[k], rect);
            }
        }
    }
}

}  // namespace

void CollectPavement(PavementWriteContext& context, TileMesh& mesh, const ClipRect& rect) {
    mesh.Clear();
    const CRollpathDoc& doc = context.doc();
    std::array<DPoint, 5> extension{};
    for (const auto& segment : doc.m_pSegments) {
        if (segment->live() && (segment->flags & SegmentFlag::NoPolygon) == 0) {
            EmitPolygon(context, mesh, SegmentPavementPolygon(*segment, extension), rect);
        }
    }
    for (const auto& polygon : doc.m_pPolygons) {
        if (polygon->live()) {
            EmitPolygon(context, mesh, polygon->points, rect);
        }
    }
    for (int k = 0; k < doc.m_nVertices; ++k) {
        const NetworkVertex& vertex = doc.Vertex(k);
        if (!vertex.live() || (vertex.flags & VertexFlag::NoPolygon) != 0) {
            continue;
        }
        for (const GroundPolygon& junction : vertex.junctionPolys) {
            EmitPolygon(context, mesh, junction.points, rect);
        }
    }
}

void CollectEdgeMarkings(PavementWriteContext& context, TileMesh& mesh, const ClipRect& rect) {
    mesh.Clear();
    const CRollpathDoc& doc = context.doc();
    for (const auto& segment : doc.m_pSegments) {
        const RollpathSegment& s = *segment;
        if (!s.live() || (s.flags & kNoSegmentMarkings) != 0) {
            continue;
        }
        if (s.type == SegmentType::Rollpath) {
            EmitQuad(context, mesh, s.rightEdgeStripe, rect);
            EmitQuad(context, mesh, s.leftEdgeStripe, rect);
        } else if (HasExtension(s) && (s.flags & SegmentFlag::BlastPad) == 0) {
            EmitQuad(context, mesh, s.extensionEdgeStripes[0], rect);
            EmitQuad(context, mesh, s.extensionEdgeStripes[1], rect);
        }
    }
    for (int k = 0; k < doc.m_nVertices; ++k) {
        if (Marked(doc.Vertex(k))) {
            for (const Quad& quad : doc.Vertex(k).edgeQuads) {
                EmitQuad(context, mesh, quad, rect);
            }
        }
    }
}

void CollectCentreMarkings(PavementWriteContext& context, TileMesh& mesh, const ClipRect& rect) {
    mesh.Clear();
    const CRollpathDoc& doc = context.doc();
    for (const auto& segment : doc.m_pSegments) {
        const RollpathSegment& s = *segment;
        if (!s.live() || (s.flags & kNoSegmentMarkings) != 0) {
            continue;
        }
        if (HasExtension(s)) {
            ExtensionCentreMarkings(context, mesh, s, rect);
        } else if (s.type == SegmentType::Rollpath) {
            RollpathCentreMarkings(context, mesh, s, rect);
        }
    }
    for (int k = 0; k < doc.m_nVertices; ++k) {
        if (Marked(doc.Vertex(k))) {
            for (const Quad& quad : doc.Vertex(k).centreQuads) {
                EmitQuad(context, mesh, quad, rect);
            }
        }
    }
}

}  // namespace rollpath
