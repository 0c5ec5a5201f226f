#pragma once

// Cutting a polygon by an axis-aligned rectangle.
//
// ClipToRectangle is the fast Sutherland-Hodgman clip: it always yields one
// polygon, which may run back and forth along the rectangle's sides where the
// input leaves and re-enters. PreciseClipToRectangle is a Weiler-Atherton clip
// that yields every separate piece inside the rectangle as its own clockwise
// polygon. Coordinates are LocalFeet; a point exactly on a side is inside.

#include <string_view>
#include <vector>

#include "geometry/DPoint.h"
#include "geometry/Report.h"

namespace rollpath {

// Left is the smallest x kept, right the largest x, top the largest y and
// bottom the smallest y.
struct ClipRect {
    double left = 0.0;
    double right = 0.0;
    double top = 0.0;
    double bottom = 0.0;
};

enum ClipSide { kClipLeft = 0, kClipRight = 1, kClipTop = 2, kClipBottom = 3 };

// One Sutherland-Hodgman pass against the boundary value c of a side: x >= c
// is kept for the left side, x <= c for the right, y <= c for the top and
// y >= c for the bottom. Replaces out with the result (at most 2n points) and
// returns its count; an unknown side gives 0. out must not hold v.
int ClipAgainstEdge(const DPoint* v, int n, double c, int side, std::vector<DPoint>& out);

// Passes left, right, top, bottom in turn and returns the final count, or 0
// as soon as a pass leaves nothing. out may be the vector that holds v: v is
// read only by the first pass, which writes to a separate working buffer.
// The buffers grow with the input, so there is no upper limit on n.
int ClipToRectangle(const DPoint* v, int n, const ClipRect& rect, std::vector<DPoint>& out);

inline constexpr int kMaxSubjectNodes = 512;
inline constexpr int kMaxClipNodes = 128;
inline constexpr int kMaxEnteringNodes = 64;
inline constexpr int kMaxClipOutputPoints = 2048;
inline constexpr int kMaxClipPieces = 128;
inline constexpr std::string_view kClipCapacityMessage = "ClipAgainstEdge2: maximum polygon size exceeded";

enum ClipNodeKind { kVertexNode = 0, kEnteringNode = 1, kLeavingNode = 2 };

// A node of the subject list (the polygon) or of the clip list (the
// rectangle). An intersection appears in both lists, each copy linked to the
// other.
struct ClipNode {
    double x = 0.0;
    double y = 0.0;
    int next = 0;
    int kind = kVertexNode;
    int link = 0;
};

// Finds where the subject outline crosses one side of the rectangle (strictly
// inside both segments, so a crossing exactly at a vertex of either outline
// is not found) and inserts each crossing into both lists, recording the
// entering ones. The clip list starts with the corners (left, top),
// (right, top), (right, bottom), (left, bottom). Returns 1, or 0 after
// reporting kClipCapacityMessage when a list reaches its capacity (or when
// the lists are malformed, which reports nothing).
int ClipAgainstEdge2(std::vector<ClipNode>& subject, std::vector<ClipNode>& clip, std::vector<int>& entering,
                     int side, const ReportFn& report);

// Cuts the polygon (v, n) by rect. A counter-clockwise input is reversed in
// place first, so the caller's array runs clockwise afterwards. The pieces'
// points follow each other in outPoints, their counts are in outCounts.
// Returns the number of pieces; 0 when nothing remains or when a node list
// overflows (reported through report; an input of kMaxSubjectNodes or more
// vertices is refused that way); -1 when the output would reach
// kMaxClipOutputPoints points or kMaxClipPieces pieces, or when a crossing
// exactly at a vertex was missed and the pieces cannot be traced. Both
// outputs are empty unless the result is positive.
int PreciseClipToRectangle(DPoint* v, int n, const ClipRect& rect, std::vector<DPoint>& outPoints,
                           std::vector<int>& outCounts, const ReportFn& report);

}  // namespace rollpath
