#pragma once

// Save's compaction of the vertex pool as data: which slot every vertex
// moves to and which segments it deletes, so that the undo history can run
// it backwards and forwards again over the same records.

#include <span>
#include <utility>
#include <vector>

#include "document/Records.h"

namespace rollpath {

class CRollpathDoc;

struct PoolRenumbering {
    std::vector<int> newIndex;  // per slot before: its slot after, or -1 when it is dropped
    int newCount = 0;
    // List positions of the segments marked deleted (joining a vertex to
    // itself, or naming slots the pool does not have) and their states before.
    std::vector<std::pair<int, int>> deleted;
    int sourceBefore = -1;
    int sinkBefore = -1;
    int sourceAfter = -1;
    int sinkAfter = -1;

    int OldCount() const { return static_cast<int>(newIndex.size()); }
    // Nothing moves, nothing is dropped or deleted.
    bool Identity() const;
};

// The compaction of the document as it is now, without changing it: the
// vertices of live segments in the order the segments first use them.
PoolRenumbering PlanCompaction(const CRollpathDoc& doc);

// The pool and the numbers that name its slots, wherever they are kept: the
// document's, or the undo history's copy of it.
struct PoolView {
    std::span<RollpathSegment* const> segments;  // in list order
    std::vector<NetworkVertex>& pool;
    int& count;
    int& source;
    int& sink;
};

// Carries the renumbering out. The pool keeps its size; slots beyond the new
// count are empty.
void RenumberForward(const PoolView& view, const PoolRenumbering& r);

// Puts the pool back as it was before RenumberForward, with the dropped
// vertices' records (slot before, record) in their old slots.
void RenumberBackward(const PoolView& view, const PoolRenumbering& r,
                      std::span<const std::pair<int, NetworkVertex>> dropped);

}  // namespace rollpath
