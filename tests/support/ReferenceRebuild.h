#pragma once

#include "document/RollpathDoc.h"
#include "pavement/NetworkRebuild.h"

namespace rollpath::testing {

// The network rebuild written as plain scans over every pair, in list and
// pool order, without any search structure. It makes the same edits as
// RebuildNetwork through the same edit functions; tests compare the two on
// random networks to show that the indexed searches find exactly what the
// pairwise scans find.
RebuildNetworkSummary RebuildNetworkByPairs(CRollpathDoc& doc, const RebuildNetworkOptions& options = {});

}  // namespace rollpath::testing
