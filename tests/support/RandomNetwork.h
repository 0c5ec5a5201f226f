#pragma once

// Small untidy networks for property tests of the network rebuild: crossing
// rollpaths, near-duplicate vertices, ends that stop just short of other
// segments, rollpaths meeting runways near their ends, runway centre lines
// with extensions, and a sprinkling of deleted, provisional, No Polygon and
// damaged records. Deterministic from the seed; settings vary with it too.

#include <cstdint>

#include "document/RollpathDoc.h"

namespace rollpath::testing {

// Fills an empty document (and its settings) from the seed.
void BuildRandomNetwork(CRollpathDoc& doc, std::uint64_t seed);

}  // namespace rollpath::testing
