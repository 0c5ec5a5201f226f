#include "pavement/SegmentPieces.h"

#include "pavement/ExtensionMarkings.h"
#include "pavement/HoldMarkings.h"
#include "pavement/QuadBuffer.h"

namespace rollpath {

bool IsExtensionSegment(const RollpathSegment& segment) {
    return segment.type == SegmentType::RunwayCentreLine && (segment.flags & SegmentFlag::Extension) != 0;
}

bool ExtensionPolygon(const RollpathSegment& s, std::array<DPoint, 5>& out) {
    if (s.type != SegmentType::RunwayCentreLine) {
        return false;
    }
    if ((s.flags & SegmentFlag::ExtensionAt0) != 0) {
        out = {s.outline[5], s.outline[0], s.outline[1], s.extensionCorners[0], s.extensionCorners[1]};
        return true;
    }
    if ((s.flags & SegmentFlag::ExtensionAt1) != 0) {
        out = {s.extensionCorners[1], s.extensionCorners[0], s.outline[2], s.outline[3], s.outline[4]};
        return true;
    }
    return false;
}

void AppendSegmentEdgeMarkings(const RollpathSegment& s, std::vector<Quad>& out) {
    if (s.type == SegmentType::Rollpath) {
        out.push_back(s.rightEdgeStripe);
        out.push_back(s.leftEdgeStripe);
    } else if (IsExtensionSegment(s) && (s.flags & SegmentFlag::BlastPad) == 0) {
        out.push_back(s.extensionEdgeStripes[0]);
        out.push_back(s.extensionEdgeStripes[1]);
    }
}

namespace {

// Appends the buffer's quads; false when the buffer had to cut its marking.
bool AppendBuffer(const QuadBuffer& buffer, std::vector<Quad>& out) {
    out.insert(out.end(), buffer.begin(), buffer.end());
    return !buffer.Cut();
}

}  // namespace

bool AppendSegmentCentreMarkings(const CRollpathDoc& doc, const RollpathSegment& s, bool honourNoExit,
                                 std::vector<Quad>& out) {
    bool whole = true;
    QuadBuffer buffer;
    if (IsExtensionSegment(s)) {
        if ((s.flags & SegmentFlag::BlastPad) != 0) {
            BlastPadQuads(s, buffer);
            whole = AppendBuffer(buffer, out);
        } else {
            for (const auto& mark : s.extensionMarks) {
                out.push_back(Quad{mark[0], mark[1], mark[2], mark[3]});
                out.push_back(Quad{mark[0], mark[1], mark[4], mark[5]});
            }
        }
        return whole;
    }
    if (s.type != SegmentType::Rollpath) {
        return whole;
    }
    const auto hold = [&](int kind) {
        if (kind == SegmentFlag::RunwayHold) {
            RunwayHoldQuads(doc, s, buffer);
        } else {
            CriticalHoldQuads(doc, s, buffer);
        }
        whole = AppendBuffer(buffer, out) && whole;
        HoldEndQuads(doc, s, kind, buffer);
        whole = AppendBuffer(buffer, out) && whole;
    };
    if ((s.flags & SegmentFlag::RunwayHold) != 0) {
        hold(SegmentFlag::RunwayHold);
    } else if ((s.flags & SegmentFlag::CriticalHold) != 0) {
        hold(SegmentFlag::CriticalHold);
    } else {
        out.push_back(s.centreStripe);
    }
    if ((s.flags & SegmentFlag::Stub0) != 0) {
        out.push_back(s.stub0);
    }
    if ((s.flags & SegmentFlag::Stub1) != 0) {
        out.push_back(s.stub1);
    }
    if (honourNoExit && (s.flags & SegmentFlag::NoExit) != 0) {
        return whole;
    }
    for (int k = 0; k < 4; ++k) {
        if ((s.exitMask & (1 << k)) != 0) {
            out.push_back(s.exitQuads[static_cast<std::size_t>(k)]);
        }
    }
    return whole;
}

}  // namespace rollpath
