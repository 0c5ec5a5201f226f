#pragma once

// The three mesh sections of one tile, each filled from empty in the order
// the file lists its pieces.

#include "geometry/Clip.h"
#include "pavement/PavementWriteContext.h"
#include "pavement/TileMesh.h"

namespace rollpath {

// "<pave>": the pavement polygon of each live segment without No Polygon
// (a rollpath's outline, an extension's polygon), each live ground polygon,
// then the junction polygons of each live vertex without No Polygon.
void CollectPavement(PavementWriteContext& context, TileMesh& mesh, const ClipRect& rect);

// "<edmk>": for each live segment without No Polygon or No Markings, a
// rollpath's right and left edge stripes, or an extension's two edge stripes
// unless it is a blast pad; then the edge quads of each live vertex without
// No Markings.
void CollectEdgeMarkings(PavementWriteContext& context, TileMesh& mesh, const ClipRect& rect);

// "<cntr>": for each live segment without No Polygon or No Markings, an
// extension's blast-pad chevrons or arrowheads (two quads each), or a
// rollpath's runway hold or critical hold with the stripe pieces either
// side, else its centre stripe, then its stubs by flags 0x100 and 0x200 and,
// unless No Exit, the exits whose bits are set in exitMask; then the centre
// quads of each live vertex without No Markings.
void CollectCentreMarkings(PavementWriteContext& context, TileMesh& mesh, const ClipRect& rect);

}  // namespace rollpath
