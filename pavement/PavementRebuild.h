#pragma once

// The document-level pavement rebuilds shared by the view, the CLI and the
// tests.

#include "document/RollpathDoc.h"
#include "pavement/NetworkRebuild.h"

namespace rollpath {

// After an edit: the network rebuild, then the junctions of every vertex in
// the touched-vertex list, each once. The list itself is left as it is.
void RebuildTouchedVertices(CRollpathDoc& doc, const RebuildNetworkOptions& options = {});

// Every live segment's straight geometry (dead ends shortened by MarkShort),
// then the junctions of every live vertex in pool order.
void RebuildAllPavement(CRollpathDoc& doc);

}  // namespace rollpath
