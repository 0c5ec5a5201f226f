#pragma once

// The lights of one tile of the pavement file: the rows of the rollpath
// segments, placed once per Save, cut to the tile, and the junction lights
// of the vertices.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "document/RollpathDoc.h"
#include "geometry/Clip.h"
#include "scenery/PavementSections.h"

namespace rollpath {

// The design's working capacities of one tile; the writer's lists grow past
// them rather than leave lights out.
inline constexpr std::size_t kTileLightPointCapacity = 400;
inline constexpr std::size_t kTileLightRunCapacity = 200;

// One row's lights as LightPointsAlongLine placed them.
struct PlacedLightRow {
    std::uint32_t lightClass = 0;
    std::size_t first = 0;  // into PlacedLightRows::points
    std::size_t count = 0;
    double spacing = 0.0;  // feet
    // The box of the row's points, to pass over tiles it cannot reach.
    DPoint min;
    DPoint max;
};

struct PlacedLightRows {
    std::vector<DPoint> points;
    // Class 1: each live rollpath without No Polygon or No Lighting, its
    // right row then its left row, in segment order.
    std::vector<PlacedLightRow> edge;
    // Class 0: the centre row of each live rollpath without No Lighting.
    std::vector<PlacedLightRow> centre;
    // The junction lights of the live vertices without No Lighting, in pool
    // order: edge lights (class 1) and centre-line lights (class 0).
    std::vector<DPoint> vertexEdge;
    std::vector<DPoint> vertexCentre;
};

// Places every row of the document with LightPointsAlongLine and the
// LiteSpacing setting, and gathers the junction lights.
PlacedLightRows PlaceLightRows(const CRollpathDoc& doc);

// Adds the first stretch of the row that lies in the tile (closed
// rectangle): from the first point inside, over the consecutive points
// inside. One point becomes a light point, more a run from the first to the
// last with the row's spacing. A row that leaves the tile and comes back adds
// its first stretch only.
void AddFirstStretch(const PlacedLightRows& rows, const PlacedLightRow& row, const ClipRect& rect,
                     std::vector<TileLightPoint>& points, std::vector<TileLightRun>& runs);

// The lights of a tile in the file's order of collection: the edge rows, the
// vertices' edge lights, the centre rows, the vertices' centre-line lights.
// The lists are filled from empty.
void CollectTileLights(const PlacedLightRows& rows, const ClipRect& rect, std::vector<TileLightPoint>& points,
                       std::vector<TileLightRun>& runs);

}  // namespace rollpath
