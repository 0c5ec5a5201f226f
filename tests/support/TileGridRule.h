#pragma once

// The tile grid around a drawing, for tests and benchmarks of the pavement
// writer, which takes the document's grid as it stands: 8 by 8 square tiles,
// the lower-left corner 0.1 ft west and south of the drawing, the side
// (S + 0.2) / 8 as a float with S the larger of the drawing's width and
// height.

#include "document/RollpathDoc.h"

namespace rollpath::testing {

TileGrid GridAround(DPoint min, DPoint max);

// The box of the runway corners, the live ground polygons, the outlines of
// the live segments, the junction polygons and edge lights of the live
// vertices and the segments' light rows, and the grid around it.
TileGrid GridAroundDrawing(const CRollpathDoc& doc);

}  // namespace rollpath::testing
