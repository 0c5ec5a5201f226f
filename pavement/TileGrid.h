#pragma once

// The box around everything drawn and generated, and the 8 by 8 grid of
// square tiles that the pavement file is cut into. The view, the tile writer
// and the CLI all take the grid from here.

#include "document/RollpathDoc.h"

namespace rollpath {

inline constexpr int kTileGridSide = 8;

// Starts empty (minimum 52800, maximum -52800 on both axes) and grows by
// every point added. Points with a NaN coordinate never widen it.
struct DrawingBox {
    double minX = 52800.0;
    double minY = 52800.0;
    double maxX = -52800.0;
    double maxY = -52800.0;

    void Add(const DPoint& p);
    bool Empty() const { return minX > maxX || minY > maxY; }
    // The larger of the width and the height; negative for an empty box.
    double Extent() const;
};

// Runway corners, live ground polygons, the outlines and edge-light rows of
// live segments, the junction polygons and junction edge lights of live
// vertices.
DrawingBox ComputeDrawingBox(const CRollpathDoc& doc);

struct TileGridUpdate {
    double extent = 0.0;   // of the drawing box, feet
    bool changed = false;  // the grid's tile side or corner changed
};

// Refreshes the document's tile grid from the drawing box: 8 columns and 8
// rows of side (extent + 0.2) / 8 (single precision) from the corner
// (min x - 0.1, 0, min y - 0.1). A grid read from a pavement file is kept,
// and so is the grid when there is nothing to tile (an empty box).
TileGridUpdate ComputeTileGrid(CRollpathDoc& doc);

}  // namespace rollpath
