#pragma once

// The network rebuild: tidies the rollpath network before the junctions are
// built. It connects dangling rollpath ends, merges vertices that lie close
// together, pins rollpath ends onto runway centre lines near the runway ends,
// splits segments where they cross, classifies every segment end, gives dead
// ends their shortened markings and pins vertices inside runways onto the
// centre lines, splitting a runway centre line where a vertex now lies on
// it. The junctions of the touched vertices are rebuilt afterwards
// by the caller (ConstructVertexPolygons for each entry of
// m_TouchedVertices), which the rebuild keeps pointing at live vertices and
// extends with every vertex it moves, merges into or creates, and with the
// far vertices of their segments.

#include "document/RollpathDoc.h"
#include "pavement/NetworkIndex.h"

namespace rollpath {

struct RebuildNetworkOptions {
    // Dangling ends are connected only while the view shows rollpaths.
    bool rollpathsShown = true;
};

// What one rebuild changed, by kind of event.
struct RebuildNetworkSummary {
    int endsJoined = 0;         // dangling ends that took a vertex of the segment they stop at
    int endsExtended = 0;       // dangling ends moved onto a segment that was split there
    int verticesMerged = 0;     // vertices replaced by a close lower-numbered one
    int endsPinned = 0;         // rollpath-to-runway junctions moved near a runway end
    int crossingsSplit = 0;     // segments split at a crossing
    int crossingEndsMoved = 0;  // segment ends moved to a crossing within MaxSegLength
    int crossingsRefused = 0;   // crossings left alone because the vertex pool was full
    int verticesPinned = 0;     // vertex moves onto runway centre lines or crossings
    int runwaysJoined = 0;      // runway centre lines split at a vertex pinned onto them

    friend bool operator==(const RebuildNetworkSummary&, const RebuildNetworkSummary&) = default;
};

RebuildNetworkSummary RebuildNetwork(CRollpathDoc& doc, const RebuildNetworkOptions& options = {});

// The same, also giving the incidence of the rebuilt network (which the
// caller would otherwise build again for the junctions).
RebuildNetworkSummary RebuildNetwork(CRollpathDoc& doc, const RebuildNetworkOptions& options,
                                     VertexIncidence& incidence);

}  // namespace rollpath
