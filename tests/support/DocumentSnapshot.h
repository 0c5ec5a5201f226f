#pragma once

// A copy by value of everything an author edits in a document and of the
// pavement generated from it, to tell whether two states are the same.
// Scratch lists (the touched vertices) and what the last Save reported are
// left out.

#include <optional>
#include <string>
#include <vector>

#include "document/RollpathDoc.h"

namespace rollpath::testing {

struct DocumentSnapshot {
    std::vector<RollpathSegment> segments;
    std::vector<PolygonRecord> polygons;
    std::vector<PolygonRecord> markings;
    std::vector<NetworkVertex> vertices;  // the slots in use
    std::vector<int> runwayClosed;
    int source = -1;
    int sink = -1;
    std::string bmpPath;
    int bmpX = 0;
    int bmpY = 0;
    int bmpScale = 0;
    double rotation = 0.0;
    TileGrid tileGrid;

    friend bool operator==(const DocumentSnapshot&, const DocumentSnapshot&) = default;
};

DocumentSnapshot Snapshot(const CRollpathDoc& doc);

// What a Save keeps of the document, in the form a reopen gives back: the
// live segments and polygons in order, vertices numbered by their first use
// along those segments (so that a pool with deleted or unused slots equals
// its compacted form), and only what the files hold of each record.
DocumentSnapshot SavedForm(const CRollpathDoc& doc);

// The first difference, for a failure message ("segment 3", "vertex 12",
// "rotation" ...); nothing when the two are the same.
std::optional<std::string> SnapshotDifference(const DocumentSnapshot& a, const DocumentSnapshot& b);

}  // namespace rollpath::testing
