#pragma once

#include "document/RollpathDoc.h"
#include "pavement/NetworkRebuild.h"

namespace rollpath::testing {

// The network rebuild written as plain scans over every pair, in list and
// pool order, without any search structure. It makes the same edits as
// RebuildNetwork through the same edit functions: the baseline the indexed
// searches are measured against.
RebuildNetworkSummary RebuildNetworkByPairs(CRollpathDoc& doc, const RebuildNetworkOptions& options = {});

}  // namespace rollpath::testing
