#pragma once

// A large airport for benchmarks: six runways of a big field (crossing ones,
// parallel ones, two with extensions past an end) under a jittered grid of
// rollpaths with exits onto the runways, a few runway crossings and
// diagonal shortcuts, plus a few hundred ground polygons. With the default
// options it holds about 4000 segments and 2500 vertices. The raw network is
// untidy in the ways a drawing session leaves it (exits stopping short of a
// centre line, near-duplicate vertices, crossings not yet split), so the
// first rebuild has work to do; a rebuild or two later it is tidy.
// Deterministic from the seed.

#include <cstdint>

#include "document/RollpathDoc.h"

namespace rollpath::testing {

struct SyntheticAirportOptions {
    std::uint64_t seed = 1;
    int columns = 52;        // rollpath grid, west to east
    int rows = 52;           // south to north
    double spacing = 300.0;  // feet between grid lines
    int polygons = 300;      // ground polygons
};

// Fills an empty document. Leaves the touched-vertex list empty.
void BuildSyntheticAirport(CRollpathDoc& doc, const SyntheticAirportOptions& options = {});

// The airport as the editor shows it: network rebuilds until one changes
// nothing (at most five), then the rebuild of all pavement. Leaves the
// touched-vertex list empty.
void PaveSyntheticAirport(CRollpathDoc& doc);

}  // namespace rollpath::testing
