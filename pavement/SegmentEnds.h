#pragma once

// Where one end's points sit in a segment's generated geometry. "Left" and
// "right" are the segment's own, relative to its direction from vertex0 to
// vertex1; `end` is 0 for the vertex0 end and 1 for the vertex1 end.

#include "document/Records.h"

namespace rollpath {

// Outline: centre, left corner and right corner at the end.
constexpr int OutlineCentre(int end) {
    return end == 0 ? 0 : 3;
}
constexpr int OutlineLeft(int end) {
    return end == 0 ? 1 : 2;
}
constexpr int OutlineRight(int end) {
    return end == 0 ? 5 : 4;
}
constexpr int OutlineCorner(int end, bool left) {
    return left ? OutlineLeft(end) : OutlineRight(end);
}

// Centre stripe: its left and right point at the end.
constexpr int StripeLeft(int end) {
    return end == 0 ? 0 : 1;
}
constexpr int StripeRight(int end) {
    return end == 0 ? 3 : 2;
}

// An edge stripe's inner and outer point at the end (the right stripe runs
// inner, inner, outer, outer; the left one outer, outer, inner, inner).
struct EdgeStripeEnd {
    DPoint* inner;
    DPoint* outer;
};

inline EdgeStripeEnd EdgeStripeAt(RollpathSegment& s, int end, bool left) {
    if (left) {
        return {&s.leftEdgeStripe[end == 0 ? 3 : 2], &s.leftEdgeStripe[end == 0 ? 0 : 1]};
    }
    return {&s.rightEdgeStripe[end == 0 ? 0 : 1], &s.rightEdgeStripe[end == 0 ? 3 : 2]};
}

// The end's stub quad and the flag that writes it (0x100 at vertex0, 0x200
// at vertex1).
inline Quad& StubAt(RollpathSegment& s, int end) {
    return end == 0 ? s.stub0 : s.stub1;
}
constexpr int StubFlag(int end) {
    return end == 0 ? SegmentFlag::Stub0 : SegmentFlag::Stub1;
}

// The two exit bits of an end: the runway first of the pair, then second.
constexpr int ExitIndex(int end, bool runwayFirst) {
    return (end == 0 ? 0 : 2) + (runwayFirst ? 0 : 1);
}
constexpr int ExitBitsOfEnd(int end) {
    return end == 0 ? 0x3 : 0xC;
}

}  // namespace rollpath
