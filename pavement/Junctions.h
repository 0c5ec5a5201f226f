#pragma once

#include <span>

#include "document/RollpathDoc.h"

namespace rollpath {

// More segments than this at one vertex are refused.
inline constexpr int kMaxJunctionEnds = 50;
// A vertex stops building once one of its product lists holds this many.
inline constexpr int kJunctionProductLimit = 40;

inline constexpr const char* kPolygonLimitMessage = "ConstructVertexPolygons: polygon limit reached";
inline constexpr const char* kTooManySegmentsMessage =
    "ConstructVertexPolygons: more than 50 segments meet at one vertex";

// Rebuilds the pavement around vertex k: its junction polygons, curved edge
// and centre-line markings and junction lights, trimming the incident
// segments' outlines and stripes to meet them, and then the segments' light
// rows. Segments continuing straight are mitred instead; at a vertex of more
// than two segments their centre lines are closed through the junction by
// stub quads. Does nothing in safe mode; a deleted vertex loses its pieces.
void ConstructVertexPolygons(CRollpathDoc& doc, int k);

// The same, with the indices of the segments that meet vertex k already at
// hand (in list order, as VertexIncidence gives them; any others are
// ignored), so that a pass over many vertices looks at each segment once.
void ConstructVertexPolygons(CRollpathDoc& doc, int k, std::span<const int> segmentsAtK);

}  // namespace rollpath
