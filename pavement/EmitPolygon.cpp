#include "pavement/EmitPolygon.h"

#include <array>
#include <climits>
#include <cmath>

#include "geometry/PolygonMeasures.h"

namespace rollpath {

namespace {

constexpr double kRetryMargin = 1e-6;

double AreaTolerance(double area) {
    return 1e-6 * (area + 1.0);
}

// The pieces of the polygon in the tile, checked against the area of the
// polygon that lies in it. PreciseClipToRectangle misses a crossing exactly
// at a corner of either outline, and then fails or leaves pieces out. The
// single polygon of ClipToRectangle has exactly the area in the tile.
// Returns the number of pieces, or -1 when the clipper failed, refused
// (refused set) or its pieces do not cover that area. inside receives the
// area in the tile.
int ClipChecked(PavementWriteContext& context, std::span<const DPoint> polygon, const ClipRect& rect,
                bool& refused, double& inside) {
    const int n = static_cast<int>(polygon.size());
    const int kept = ClipToRectangle(polygon.data(), n, rect, context.subject);
    inside = std::fabs(PolygonArea(context.subject.data(), kept));
    // The clipper works on a copy: it turns a counter-clockwise input round
    // in place, and the document keeps its polygons as they are.
    context.subject.assign(polygon.begin(), polygon.end());
    const int pieces =
        PreciseClipToRectangle(context.subject.data(), n, rect, context.piecePoints, context.pieceCounts,
                               [&context, &refused](std::string_view text) {
                                   refused = true;
                                   context.ReportClipCapacity(text);
                               });
    if (pieces < 0 || refused) {
        return -1;
    }
    double covered = 0.0;
    std::size_t first = 0;
    for (int k = 0; k < pieces; ++k) {
        const int count = context.pieceCounts[static_cast<std::size_t>(k)];
        if (count < 0 || static_cast<std::size_t>(count) > context.piecePoints.size() - first) {
            return -1;
        }
        covered += std::fabs(PolygonArea(context.piecePoints.data() + first, count));
        first += static_cast<std::size_t>(count);
    }
    return std::fabs(covered - inside) <= AreaTolerance(inside) ? pieces : -1;
}

void AppendCorner(TileMesh& mesh, const DPoint& p) {
    mesh.indexWords.push_back(mesh.vertices.FindOrAdd(p));
}

void EmitPiece(PavementWriteContext& context, TileMesh& mesh, std::span<const DPoint> piece) {
    const int n = static_cast<int>(piece.size());
    if (PolygonConvexity(piece.data(), n) != kConcave) {
        mesh.indexWords.push_back(static_cast<std::uint32_t>(n));
        for (const DPoint& p : piece) {
            AppendCorner(mesh, p);
        }
        return;
    }
    // The triangulator takes its vertices from entry 1 and wants the outline
    // counter-clockwise.
    std::vector<DPoint>& contour = context.contour;
    contour.assign(1, DPoint{});
    contour.insert(contour.end(), piece.begin(), piece.end());
    if (PolygonArea(contour.data() + 1, n) > 0.0) {
        ReversePolygon(contour.data() + 1, n);
    }
    if (n > kMaxTriangulationVertices) {
        context.ReportTriangulationLimit();
    }
    const std::array<int, 1> counts{n};
    if (TriangulatePolygon(counts, contour, context.triangles, context.seed()) < 0) {
        context.RecordTriangulationError(piece);
        return;
    }
    for (const Triangle& t : context.triangles) {
        // Corners a, c, b: the triangulator's triangles run counter-clockwise,
        // the file's clockwise.
        mesh.indexWords.push_back(3);
        AppendCorner(mesh, contour[static_cast<std::size_t>(t[0])]);
        AppendCorner(mesh, contour[static_cast<std::size_t>(t[2])]);
        AppendCorner(mesh, contour[static_cast<std::size_t>(t[1])]);
    }
}

// A polygon wholly inside the tile (its sides included) is its own single
// piece, turned clockwise as the clipper turns it; most pieces of a Save are
// small enough to lie in one tile, and need no clipping at all.
void EmitWhole(PavementWriteContext& context, TileMesh& mesh, std::span<const DPoint> polygon) {
    const int n = static_cast<int>(polygon.size());
    if (n < 3) {
        return;
    }
    std::vector<DPoint>& piece = context.subject;
    piece.assign(polygon.begin(), polygon.end());
    if (PolygonArea(piece.data(), n) < 0.0) {
        ReversePolygon(piece.data(), n);
    }
    EmitPiece(context, mesh, piece);
}

}  // namespace

void EmitPolygon(PavementWriteContext& context, TileMesh& mesh, std::span<const DPoint> polygon,
                 const ClipRect& rect) {
    // Most polygons of a Save lie in other tiles; a polygon that only touches
    // the tile would give pieces without area at best.
    const PolygonBox box = BoxOf(polygon);
    if (polygon.size() > static_cast<std::size_t>(INT_MAX) || !ReachesInto(box, rect)) {
        return;
    }
    if (box.minX >= rect.left && box.maxX <= rect.right && box.minY >= rect.bottom && box.maxY <= rect.top) {
        EmitWhole(context, mesh, polygon);
        return;
    }
    bool refused = false;
    double inside = 0.0;
    int pieces = ClipChecked(context, polygon, rect, refused, inside);
    if (pieces < 0 && !refused) {
        // The clipper does not see the outline cross a side exactly at a
        // corner of either outline. Widened by a millionth of a foot, far
        // below the file's 1/256 ft, the tile's sides miss the corners.
        const ClipRect widened{rect.left - kRetryMargin, rect.right + kRetryMargin, rect.top + kRetryMargin,
                               rect.bottom - kRetryMargin};
        pieces = ClipChecked(context, polygon, widened, refused, inside);
    }
    if (pieces < 0 && !refused && inside <= AreaTolerance(inside)) {
        return;  // nothing of the polygon lies in the tile after all
    }
    if (pieces < 0) {
        context.RecordTriangulationError(polygon);
        return;
    }
    std::size_t first = 0;
    for (int k = 0; k < pieces; ++k) {
        const auto count = static_cast<std::size_t>(context.pieceCounts[static_cast<std::size_t>(k)]);
        EmitPiece(context, mesh, std::span<const DPoint>(context.piecePoints).subspan(first, count));
        first += count;
    }
}

}  // namespace rollpath
