#pragma once

#include "document/RollpathDoc.h"

namespace rollpath {

// Before the network file is written: drops segments that join a vertex to
// itself, and renumbers the vertex pool so that it holds exactly the vertices
// of live segments, in the order the segments first use them. Deleted
// segments keep their old numbers. A Source or Sink that no live segment uses
// becomes none. Does nothing while the document has no segment.
void CompactNetwork(CRollpathDoc& doc);

}  // namespace rollpath
