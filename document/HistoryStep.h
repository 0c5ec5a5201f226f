#pragma once

// The pieces of the undo history: a copy of the document as the last step
// left it, and one step, which holds only what changed. Records are known by
// their addresses, which stay valid while a step holds them: a record that a
// step takes out of the document is parked in that step, never freed while
// another step may bring it back.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "document/PoolRenumbering.h"
#include "document/Records.h"

namespace rollpath {

class CRollpathDoc;

// The document fields an edit may change beside the record lists and the
// vertex pool. Runways change only their closed flag.
struct DocScalars {
    int source = -1;
    int sink = -1;
    std::string bmpPath;
    int bmpX = 0;
    int bmpY = 0;
    int bmpScale = 100;
    double rotation = 0.0;
    TileGrid tileGrid;
    std::vector<int> runwayClosed;
};

DocScalars CaptureScalars(const CRollpathDoc& doc);
bool SameScalars(const DocScalars& a, const DocScalars& b);
void RestoreScalars(CRollpathDoc& doc, const DocScalars& s);

template <typename T>
struct ShadowList {
    std::vector<T*> order;  // the document's list, by address
    std::unordered_map<const T*, T> records;
};

struct DocumentShadow {
    ShadowList<RollpathSegment> segments;
    ShadowList<GroundPolygon> polygons;
    ShadowList<MarkingPolygon> markings;
    std::vector<NetworkVertex> pool;  // the slots in use
    DocScalars scalars;
};

DocumentShadow CaptureShadow(CRollpathDoc& doc);

template <typename T>
struct RecordChange {
    T* record;
    T before;
    T after;
};

// The list differs between prefix and suffix (counted in both lists).
template <typename T>
struct OrderChange {
    std::size_t prefix = 0;
    std::size_t suffix = 0;
    std::vector<T*> before;
    std::vector<T*> after;
};

template <typename T>
struct ListChange {
    std::vector<RecordChange<T>> records;  // in the list on both sides
    std::optional<OrderChange<T>> order;
    // The records of this list that are out of the document in the state
    // the step leaves: added ones while the step is undone, removed ones
    // while it is applied.
    std::vector<std::unique_ptr<T>> parked;

    bool Empty() const { return records.empty() && !order; }
};

struct SlotChange {
    int slot = 0;
    NetworkVertex before;  // empty beyond the count
    NetworkVertex after;
};

struct PoolChange {
    int countBefore = 0;
    int countAfter = 0;
    std::vector<SlotChange> slots;

    bool Empty() const { return countBefore == countAfter && slots.empty(); }
};

// Save's compaction, or its inverse when a Save comes while steps wait to be
// redone (they were recorded with the numbers before it).
struct RenumberingChange {
    PoolRenumbering plan;
    std::vector<std::pair<int, NetworkVertex>> dropped;  // slot before, record
    bool inverse = false;
};

struct HistoryStep {
    int kind = 0;
    // Silent steps (a renumbering, a rebuild, vertices left by a dropped
    // segment) are undone and redone with the step before them and do not
    // count for the modified flag.
    bool silent = false;
    std::uint64_t id = 0;
    ListChange<RollpathSegment> segments;
    ListChange<GroundPolygon> polygons;
    ListChange<MarkingPolygon> markings;
    PoolChange pool;
    std::optional<std::pair<DocScalars, DocScalars>> scalars;  // before, after
    std::optional<RenumberingChange> renumbering;

    bool Empty() const;
};

// An address that the document freed during a step, and the record that
// stands for it from then on.
struct ReplacedRecord {
    int list;          // segments 0, polygons 1, markings 2
    const void* from;  // never read: the record there is gone
    void* to;
};

// Everything that differs between the document and the shadow, as one step;
// the shadow is brought up to date. Records the document freed are
// recreated from the shadow and parked in the step; `replaced` tells the
// older steps about their new addresses.
HistoryStep DiffDocument(CRollpathDoc& doc, DocumentShadow& shadow, std::vector<ReplacedRecord>& replaced);

// Puts the document and the shadow back to the state before the step
// (undo) or after it.
void ApplyStep(HistoryStep& step, CRollpathDoc& doc, DocumentShadow& shadow, bool undo);

// A step that names `from` names `to` instead.
void RemapRecord(HistoryStep& step, const ReplacedRecord& replaced);

// The step a renumbering of the document makes, after the document was
// renumbered and before the shadow is; the shadow follows.
HistoryStep RenumberShadow(DocumentShadow& shadow, PoolRenumbering plan);

}  // namespace rollpath
