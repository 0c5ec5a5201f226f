#pragma once

// The three mesh sections of the tiles: the pieces of each section gathered
// once per Save in the order the file lists them, then cut tile by tile.

#include "geometry/Clip.h"
#include "pavement/PavementWriteContext.h"
#include "pavement/SectionPieces.h"
#include "pavement/TileMesh.h"

namespace rollpath {

// "<pave>": the pavement polygon of each live segment without No Polygon
// (a rollpath's outline, an extension's polygon), each live ground polygon,
// then the junction polygons of each live vertex without No Polygon.
void GatherPavement(const CRollpathDoc& doc, SectionPieces& pieces);

// "<edmk>": for each live segment without No Polygon or No Markings, a
// rollpath's right and left edge stripes, or an extension's two edge stripes
// unless it is a blast pad; then the edge quads of each live vertex without
// No Markings.
void GatherEdgeMarkings(PavementWriteContext& context, SectionPieces& pieces);

// "<cntr>": for each live segment without No Polygon or No Markings, an
// extension's blast-pad chevrons or arrowheads (two quads each), or a
// rollpath's runway hold or critical hold with the stripe pieces either
// side, else its centre stripe, then its stubs by flags 0x100 and 0x200 and,
// unless No Exit, the exits whose bits are set in exitMask; then the centre
// quads of each live vertex without No Markings. A marking cut at its
// buffer of 100 quads is reported once per Save.
void GatherCentreMarkings(PavementWriteContext& context, SectionPieces& pieces);

// Fills the mesh from empty with the section's pieces cut by the tile, in
// the section's order (EmitPolygon).
void EmitSection(PavementWriteContext& context, TileMesh& mesh, const SectionPieces& pieces,
                 const ClipRect& rect);

}  // namespace rollpath
