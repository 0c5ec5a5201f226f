#pragma once

#include "document/RollpathDoc.h"

namespace rollpath {

// Splits `segment` at pool vertex `vertex` (a point on it): `copy` becomes a
// full copy of the segment running from the vertex to the segment's old
// vertex1, and the segment itself now ends at the vertex. The two halves
// share their cut: its corners lie on the segment's pavement edges at the
// vertex (the midpoint of the edges when the vertex is halfway).
//
// A runway centre line split on its extension keeps the extension on the
// half that reaches into the runway; the outer half becomes a rollpath with
// end classes 0 at the outer end and 1 at the cut, without extension flags.
//
// `copy` is a record the caller has already placed in the segment list.
void SplitSegment(CRollpathDoc& doc, RollpathSegment& copy, RollpathSegment& segment, int vertex);

}  // namespace rollpath
