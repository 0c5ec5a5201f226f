#include "pavement/EmitPolygon.h"

#include <array>
#include <climits>

#include "geometry/PolygonMeasures.h"

namespace rollpath {

namespace {

// Exact even-odd test of a point against a polygon. PointInPolygon counts
// anything within a foot of an edge as on it, which is what a user's click
// needs but too coarse to decide whether a whole tile is paved.
bool Contains(std::span<const DPoint> polygon, const DPoint& p) {
    bool inside = false;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const DPoint& a = polygon[i];
        const DPoint& b = polygon[j];
        if ((a.y > p.y) != (b.y > p.y)) {
            const double x = a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y);
            if (p.x < x) {
                inside = !inside;
            }
        }
    }
    return inside;
}

// The clipper answers "the tile lies inside the polygon" with the tile's four
// corners when the outline does not cross the tile and one corner tests as
// inside or on the outline. Its test counts a corner within a foot of an edge
// as on it, so a polygon that passes just outside a tile's corner would pave
// the whole tile. That answer stands only when the polygon really holds the
// tile's centre.
bool IsUnfoundedWholeTile(std::span<const DPoint> polygon, const std::vector<DPoint>& points,
                          const std::vector<int>& counts, const ClipRect& rect) {
    if (counts.size() != 1 || counts[0] != 4 || points.size() != 4) {
        return false;
    }
    const std::array<DPoint, 4> corners{DPoint{rect.left, rect.top}, DPoint{rect.right, rect.top},
                                        DPoint{rect.right, rect.bottom}, DPoint{rect.left, rect.bottom}};
    for (std::size_t i = 0; i < 4; ++i) {
        if (!(points[i] == corners[i])) {
            return false;
        }
    }
    const DPoint centre{(rect.left + rect.right) / 2.0, (rect.top + rect.bottom) / 2.0};
    return !Contains(polygon, centre);
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

}  // namespace

bool ReachesInto(std::span<const DPoint> points, const ClipRect& rect) {
    if (points.empty()) {
        return false;
    }
    double minX = points[0].x;
    double maxX = points[0].x;
    double minY = points[0].y;
    double maxY = points[0].y;
    for (const DPoint& p : points.subspan(1)) {
        minX = p.x < minX ? p.x : minX;
        maxX = p.x > maxX ? p.x : maxX;
        minY = p.y < minY ? p.y : minY;
        maxY = p.y > maxY ? p.y : maxY;
    }
    // Written so that a NaN anywhere makes it false.
    return minX < rect.right && maxX > rect.left && minY < rect.top && maxY > rect.bottom;
}

void EmitPolygon(PavementWriteContext& context, TileMesh& mesh, std::span<const DPoint> polygon,
                 const ClipRect& rect) {
    // Most polygons of a Save lie in other tiles; a polygon that only touches
    // the tile would give pieces without area at best.
    if (polygon.size() > static_cast<std::size_t>(INT_MAX) || !ReachesInto(polygon, rect)) {
        return;
    }
    // The clipper turns a counter-clockwise input round in place: it works on
    // a copy, so the document keeps its polygons as they are.
    context.subject.assign(polygon.begin(), polygon.end());
    bool refused = false;
    const int pieces = PreciseClipToRectangle(context.subject.data(), static_cast<int>(polygon.size()), rect,
                                              context.piecePoints, context.pieceCounts,
                                              [&context, &refused](std::string_view text) {
                                                  refused = true;
                                                  context.ReportClipCapacity(text);
                                              });
    if (pieces < 0 || refused) {
        context.RecordTriangulationError(polygon);
        return;
    }
    if (IsUnfoundedWholeTile(polygon, context.piecePoints, context.pieceCounts, rect)) {
        return;
    }
    std::size_t first = 0;
    for (int k = 0; k < pieces; ++k) {
        const auto count = static_cast<std::size_t>(context.pieceCounts[static_cast<std::size_t>(k)]);
        if (count > context.piecePoints.size() - first) {
            break;
        }
        EmitPiece(context, mesh, std::span<const DPoint>(context.piecePoints).subspan(first, count));
        first += count;
    }
}

}  // namespace rollpath
