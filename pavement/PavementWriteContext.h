#pragma once

// What the pavement file writer carries through one Save: the document (its
// messages, the triangulator's seed and the list of polygons that could not
// be written), the reports already given in this Save, and scratch buffers
// reused by every tile and polygon. A trial carries the same cuts and
// triangulations through without touching the document, so that the layout
// checks find exactly the polygons a Save would leave out.

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "document/RollpathDoc.h"
#include "geometry/Triangulate.h"
#include "pavement/QuadBuffer.h"

namespace rollpath {

inline constexpr const char* kTriangulationErrorMessage = "Polygon triangulation error(s): shown in red.";
// A piece with more points than the triangulator takes (kMaxTriangulationVertices).
inline constexpr const char* kTriangulationLimitMessage =
    "Triangulation limit of 1999 polygon points exceeded";

struct TrialRun {};

class PavementWriteContext {
public:
    // Starts a Save: the document's triangulation error list is emptied.
    explicit PavementWriteContext(CRollpathDoc& doc);
    // Starts a trial: nothing is shown and nothing of the document changes;
    // the polygons a Save would leave out are only counted.
    PavementWriteContext(const CRollpathDoc& doc, TrialRun);

    const CRollpathDoc& doc() const { return doc_; }
    std::optional<std::uint32_t> seed() const { return seed_; }

    // A polygon left out of the file: the first one of a Save shows
    // kTriangulationErrorMessage; the first 30 are kept, each cut to its
    // first 50 points, for the view to show in red.
    void RecordTriangulationError(std::span<const DPoint> polygon);
    // Polygons left out so far, all of them (also beyond the 30 kept).
    int triangulationErrors() const { return triangulationErrors_; }

    // kMarkingCutMessage, once per Save: a marking did not fit its buffer of
    // 100 quads.
    void ReportMarkingCut();

    // The clipper's capacity message, once per Save: a polygon too large to
    // clip would otherwise repeat it for every tile.
    void ReportClipCapacity(std::string_view text);

    // kTriangulationLimitMessage, once per Save.
    void ReportTriangulationLimit();

    // Scratch of EmitPolygon and of the marking collection.
    std::vector<DPoint> subject;
    std::vector<DPoint> piecePoints;
    std::vector<int> pieceCounts;
    std::vector<DPoint> contour;
    std::vector<Triangle> triangles;
    std::vector<Quad> quads;

private:
    const CRollpathDoc& doc_;
    CRollpathDoc* saving_ = nullptr;  // none in a trial
    std::optional<std::uint32_t> seed_;
    int triangulationErrors_ = 0;
    bool triangulationErrorShown_ = false;
    bool markingCutShown_ = false;
    bool clipCapacityShown_ = false;
    bool triangulationLimitShown_ = false;
};

}  // namespace rollpath
