// Our clipping and triangulation beside established libraries, on the same
// inputs: star-shaped polygons of 16 to 1999 vertices and the ground and
// junction polygons of the large synthetic airport. GEOS clips by rectangle
// (GEOSClipByRect) and triangulates with a constrained Delaunay
// triangulation; Boost.Geometry intersects a polygon with a box. The inputs
// are converted once, outside the timed loops, so only the operations are
// compared.

#include <benchmark/benchmark.h>
#include <geos_c.h>

#include <algorithm>
#include <boost/geometry.hpp>
#include <boost/geometry/geometries/box.hpp>
#include <boost/geometry/geometries/point_xy.hpp>
#include <boost/geometry/geometries/polygon.hpp>
#include <memory>
#include <vector>

#include "bench/PeerInputs.h"
#include "geometry/Clip.h"
#include "geometry/PolygonMeasures.h"
#include "geometry/Triangulate.h"
#include "support/PolygonGenerators.h"

namespace rollpath {
namespace {

namespace bg = boost::geometry;
using BPoint = bg::model::d2::point_xy<double>;
using BPolygon = bg::model::polygon<BPoint>;  // clockwise, closed
using BBox = bg::model::box<BPoint>;
using BMultiPolygon = bg::model::multi_polygon<BPolygon>;

// ---- Inputs -------------------------------------------------------------

struct Bounds {
    double minX, minY, maxX, maxY;
};

Bounds BoundsOf(const std::vector<DPoint>& p) {
    Bounds b{p[0].x, p[0].y, p[0].x, p[0].y};
    for (const DPoint& q : p) {
        b.minX = std::min(b.minX, q.x);
        b.minY = std::min(b.minY, q.y);
        b.maxX = std::max(b.maxX, q.x);
        b.maxY = std::max(b.maxY, q.y);
    }
    return b;
}

// The middle of a polygon's box, half its width and height: a rectangle
// that cuts most outlines several times.
ClipRect MiddleRect(const std::vector<DPoint>& p) {
    const Bounds b = BoundsOf(p);
    const double w = b.maxX - b.minX;
    const double h = b.maxY - b.minY;
    return {b.minX + w / 4.0, b.maxX - w / 4.0, b.maxY - h / 4.0, b.minY + h / 4.0};
}

const std::vector<std::vector<DPoint>>& CachedInputs(int stars) {
    static std::vector<std::vector<DPoint>> airport;
    static std::vector<std::vector<DPoint>> star;
    static int starSize = -1;
    if (stars == 0) {
        if (airport.empty()) {
            airport = PeerInputs(0);
        }
        return airport;
    }
    if (starSize != stars) {
        star = PeerInputs(stars);
        starSize = stars;
    }
    return star;
}

void Describe(benchmark::State& state, const std::vector<std::vector<DPoint>>& polygons) {
    std::size_t vertices = 0;
    for (const auto& p : polygons) {
        vertices += p.size();
    }
    state.counters["polygons"] = static_cast<double>(polygons.size());
    state.counters["vertices"] = static_cast<double>(vertices);
}

// ---- GEOS -----------------------------------------------------------------

struct GeosContext {
    GeosContext() : handle(GEOS_init_r()) {}
    ~GeosContext() { GEOS_finish_r(handle); }
    GeosContext(const GeosContext&) = delete;
    GeosContext& operator=(const GeosContext&) = delete;
    GEOSContextHandle_t handle;
};

struct GeosDeleter {
    GEOSContextHandle_t handle;
    void operator()(GEOSGeometry* g) const { GEOSGeom_destroy_r(handle, g); }
};
using GeosGeometry = std::unique_ptr<GEOSGeometry, GeosDeleter>;

GeosGeometry ToGeos(GEOSContextHandle_t h, const std::vector<DPoint>& p) {
    GEOSCoordSequence* seq = GEOSCoordSeq_create_r(h, static_cast<unsigned>(p.size() + 1), 2);
    for (std::size_t i = 0; i <= p.size(); ++i) {
        const DPoint& q = p[i % p.size()];
        GEOSCoordSeq_setXY_r(h, seq, static_cast<unsigned>(i), q.x, q.y);
    }
    GEOSGeometry* ring = GEOSGeom_createLinearRing_r(h, seq);
    return GeosGeometry(GEOSGeom_createPolygon_r(h, ring, nullptr, 0), GeosDeleter{h});
}

std::vector<GeosGeometry> ToGeos(GEOSContextHandle_t h, const std::vector<std::vector<DPoint>>& polygons) {
    std::vector<GeosGeometry> out;
    for (const auto& p : polygons) {
        out.push_back(ToGeos(h, p));
    }
    return out;
}

// ---- Boost.Geometry ---------------------------------------------------------

BPolygon ToBoost(const std::vector<DPoint>& p) {
    BPolygon poly;
    // Boost's default polygon is clockwise and closed.
    for (auto it = p.rbegin(); it != p.rend(); ++it) {
        bg::append(poly.outer(), BPoint(it->x, it->y));
    }
    bg::append(poly.outer(), BPoint(p.back().x, p.back().y));
    return poly;
}

// ---- Clipping ---------------------------------------------------------------

void BM_Peer_Clip_Ours(benchmark::State& state) {
    const auto& polygons = CachedInputs(static_cast<int>(state.range(0)));
    std::vector<ClipRect> rects;
    for (const auto& p : polygons) {
        rects.push_back(MiddleRect(p));
    }
    std::vector<DPoint> out;
    for (auto _ : state) {
        for (std::size_t i = 0; i < polygons.size(); ++i) {
            benchmark::DoNotOptimize(
                ClipToRectangle(polygons[i].data(), static_cast<int>(polygons[i].size()), rects[i], out));
        }
    }
    Describe(state, polygons);
}

void BM_Peer_Clip_OursPrecise(benchmark::State& state) {
    auto polygons = CachedInputs(static_cast<int>(state.range(0)));
    std::vector<ClipRect> rects;
    for (auto& p : polygons) {
        rects.push_back(MiddleRect(p));
        std::reverse(p.begin(), p.end());  // clockwise, so it is never turned in the loop
    }
    std::vector<DPoint> points;
    std::vector<int> counts;
    int refused = 0;
    for (auto _ : state) {
        refused = 0;
        for (std::size_t i = 0; i < polygons.size(); ++i) {
            const int n = static_cast<int>(polygons[i].size());
            if (n >= kMaxSubjectNodes) {
                ++refused;
                continue;
            }
            benchmark::DoNotOptimize(
                PreciseClipToRectangle(polygons[i].data(), n, rects[i], points, counts, {}));
        }
    }
    Describe(state, polygons);
    state.counters["refused"] = refused;
}

void BM_Peer_Clip_GeosClipByRect(benchmark::State& state) {
    const auto& polygons = CachedInputs(static_cast<int>(state.range(0)));
    GeosContext geos;
    const auto geoms = ToGeos(geos.handle, polygons);
    std::vector<ClipRect> rects;
    for (const auto& p : polygons) {
        rects.push_back(MiddleRect(p));
    }
    for (auto _ : state) {
        for (std::size_t i = 0; i < geoms.size(); ++i) {
            const ClipRect& r = rects[i];
            GEOSGeometry* clipped =
                GEOSClipByRect_r(geos.handle, geoms[i].get(), r.left, r.bottom, r.right, r.top);
            benchmark::DoNotOptimize(clipped);
            GEOSGeom_destroy_r(geos.handle, clipped);
        }
    }
    Describe(state, polygons);
}

void BM_Peer_Clip_BoostIntersection(benchmark::State& state) {
    const auto& polygons = CachedInputs(static_cast<int>(state.range(0)));
    std::vector<BPolygon> boost;
    std::vector<BBox> boxes;
    for (const auto& p : polygons) {
        boost.push_back(ToBoost(p));
        const ClipRect r = MiddleRect(p);
        boxes.emplace_back(BPoint(r.left, r.bottom), BPoint(r.right, r.top));
    }
    BMultiPolygon out;
    for (auto _ : state) {
        for (std::size_t i = 0; i < boost.size(); ++i) {
            out.clear();
            bg::intersection(boost[i], boxes[i], out);
            benchmark::DoNotOptimize(out.data());
        }
    }
    Describe(state, polygons);
}

// ---- Triangulation ----------------------------------------------------------

void BM_Peer_Triangulate_Ours(benchmark::State& state) {
    const auto& polygons = CachedInputs(static_cast<int>(state.range(0)));
    std::vector<testing::Contours> contours;
    for (const auto& p : polygons) {
        contours.emplace_back().Add(p);
    }
    std::vector<Triangle> triangles;
    int failed = 0;
    for (auto _ : state) {
        failed = 0;
        for (const auto& c : contours) {
            failed += TriangulatePolygon(c.counts, c.vertices, triangles, 1u) < 0 ? 1 : 0;
            benchmark::DoNotOptimize(triangles.data());
        }
    }
    Describe(state, polygons);
    state.counters["failed"] = failed;
}

void BM_Peer_Triangulate_GeosConstrainedDelaunay(benchmark::State& state) {
    const auto& polygons = CachedInputs(static_cast<int>(state.range(0)));
    GeosContext geos;
    const auto geoms = ToGeos(geos.handle, polygons);
    int failed = 0;
    for (auto _ : state) {
        failed = 0;
        for (const auto& g : geoms) {
            GEOSGeometry* t = GEOSConstrainedDelaunayTriangulation_r(geos.handle, g.get());
            failed += t == nullptr ? 1 : 0;
            benchmark::DoNotOptimize(t);
            if (t != nullptr) {
                GEOSGeom_destroy_r(geos.handle, t);
            }
        }
    }
    Describe(state, polygons);
    state.counters["failed"] = failed;
}

// 0 stands for the synthetic airport's polygons.
void Sizes(benchmark::internal::Benchmark* b) {
    for (const int n : {16, 64, 256, 1024, 1999, 0}) {
        b->Arg(n);
    }
    b->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_Peer_Clip_Ours)->Apply(Sizes);
BENCHMARK(BM_Peer_Clip_OursPrecise)->Apply(Sizes);
BENCHMARK(BM_Peer_Clip_GeosClipByRect)->Apply(Sizes);
BENCHMARK(BM_Peer_Clip_BoostIntersection)->Apply(Sizes);
BENCHMARK(BM_Peer_Triangulate_Ours)->Apply(Sizes);
BENCHMARK(BM_Peer_Triangulate_GeosConstrainedDelaunay)->Apply(Sizes);

}  // namespace
}  // namespace rollpath
