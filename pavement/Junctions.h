#pragma once

#include "document/RollpathDoc.h"

namespace rollpath {

// Rebuilds the pavement around vertex k: its junction polygons, curved edge
// and centre-line markings and junction lights, trimming the incident
// segments' outlines and stripes to meet them. Does nothing in safe mode.
void ConstructVertexPolygons(CRollpathDoc& doc, int k);

}  // namespace rollpath
