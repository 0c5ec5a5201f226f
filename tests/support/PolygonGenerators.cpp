#include "support/PolygonGenerators.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace rollpath::testing {

namespace {

constexpr double kPi = 3.141592653589793;

}  // namespace

double Shoelace(const DPoint* v, int n) {
    double sum = 0.0;
    for (int i = 0; i < n; ++i) {
        const DPoint& a = v[i];
        const DPoint& b = v[(i + 1) % n];
        sum += a.x * b.y - b.x * a.y;
    }
    return sum / 2.0;
}

std::vector<DPoint> StarPolygon(int n, std::uint32_t seed, double rMin, double rMax, DPoint centre) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> radius(rMin, rMax);
    std::uniform_real_distribution<double> jitter(-0.35, 0.35);
    std::vector<DPoint> v;
    v.reserve(static_cast<std::size_t>(n));
    const double step = 2.0 * kPi / n;
    for (int i = 0; i < n; ++i) {
        const double a = step * (i + jitter(rng));
        const double r = radius(rng);
        v.push_back({centre.x + r * std::cos(a), centre.y + r * std::sin(a)});
    }
    return v;
}

std::vector<DPoint> ConvexPolygon(int n, std::uint32_t seed, double radius, DPoint centre) {
    return StarPolygon(n, seed, radius, radius, centre);
}

std::vector<DPoint> SpiralPolygon(int n, double turns, double width) {
    const int half = std::max(3, n / 2);
    const double sweep = turns * 2.0 * kPi;
    // Successive turns lie two band widths apart.
    const double growth = 2.0 * width / (2.0 * kPi);
    const double start = 2.0 * width;
    std::vector<DPoint> v;
    v.reserve(2 * static_cast<std::size_t>(half));
    for (int i = 0; i < half; ++i) {
        const double a = sweep * i / (half - 1);
        const double r = start + growth * a + width / 2.0;
        v.push_back({r * std::cos(a), r * std::sin(a)});
    }
    for (int i = half - 1; i >= 0; --i) {
        const double a = sweep * i / (half - 1);
        const double r = start + growth * a - width / 2.0;
        v.push_back({r * std::cos(a), r * std::sin(a)});
    }
    return v;
}

std::vector<DPoint> CombPolygon(int teeth, bool sideways) {
    const double toothWidth = 10.0;
    const double base = 20.0;
    const double height = 100.0;
    const double right = (2.0 * teeth - 1.0) * toothWidth;
    std::vector<DPoint> v{{0.0, 0.0}, {right, 0.0}};
    for (int k = teeth - 1; k >= 0; --k) {
        const double xl = 2.0 * k * toothWidth;
        const double xr = xl + toothWidth;
        v.push_back({xr, height});
        v.push_back({xl, height});
        if (k > 0) {
            v.push_back({xl, base});
            v.push_back({xl - toothWidth, base});
        }
    }
    if (sideways) {
        // Mirroring across y = x turns the orientation over; reverse it back.
        for (DPoint& p : v) {
            std::swap(p.x, p.y);
        }
        std::reverse(v.begin(), v.end());
    }
    return v;
}

std::vector<DPoint> SubdividedPolygon(const std::vector<DPoint>& polygon, int pieces) {
    std::vector<DPoint> v;
    const std::size_t n = polygon.size();
    for (std::size_t i = 0; i < n; ++i) {
        const DPoint& a = polygon[i];
        const DPoint& b = polygon[(i + 1) % n];
        for (int k = 0; k < pieces; ++k) {
            const double t = static_cast<double>(k) / pieces;
            v.push_back({a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)});
        }
    }
    return v;
}

std::vector<DPoint> CollinearRectangle(int pieces, double width, double height) {
    return SubdividedPolygon({{0.0, 0.0}, {width, 0.0}, {width, height}, {0.0, height}}, pieces);
}

std::vector<DPoint> StaircasePolygon(int steps, double tread, double rise) {
    std::vector<DPoint> v{{0.0, 0.0}};
    double x = 0.0;
    double y = 0.0;
    for (int i = 0; i < steps; ++i) {
        x += tread;
        v.push_back({x, y});
        y += rise;
        v.push_back({x, y});
    }
    v.push_back({0.0, y});
    return v;
}

std::vector<DPoint> Reversed(std::vector<DPoint> polygon) {
    std::reverse(polygon.begin(), polygon.end());
    return polygon;
}

void Contours::Add(const std::vector<DPoint>& contour) {
    counts.push_back(static_cast<int>(contour.size()));
    vertices.insert(vertices.end(), contour.begin(), contour.end());
}

Contours PolygonWithHoles(int outerN, int holes, int holeN, std::uint32_t seed) {
    Contours c;
    c.Add(StarPolygon(outerN, seed, 800.0, 1000.0));
    // Holes sit in the cells of a grid inside radius 600, one per cell, each
    // well within its cell.
    const int side = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(holes))));
    const double cell = 1200.0 / std::sqrt(2.0) / side;
    const double origin = -cell * side / 2.0;
    for (int h = 0; h < holes; ++h) {
        const DPoint centre{origin + cell * (h % side + 0.5), origin + cell * (h / side + 0.5)};
        c.Add(Reversed(StarPolygon(holeN, seed + 1000u + static_cast<std::uint32_t>(h), cell * 0.15,
                                   cell * 0.4, centre)));
    }
    return c;
}

double RegionArea(const Contours& contours) {
    double area = 0.0;
    std::size_t first = 1;
    for (const int count : contours.counts) {
        area += Shoelace(&contours.vertices[first], count);
        first += static_cast<std::size_t>(count);
    }
    return area;
}

bool InsideRegion(const Contours& contours, DPoint p) {
    bool inside = false;
    std::size_t first = 1;
    for (const int count : contours.counts) {
        const DPoint* v = &contours.vertices[first];
        for (int i = 0, j = count - 1; i < count; j = i++) {
            if ((v[i].y > p.y) != (v[j].y > p.y) &&
                p.x < (v[j].x - v[i].x) * (p.y - v[i].y) / (v[j].y - v[i].y) + v[i].x) {
                inside = !inside;
            }
        }
        first += static_cast<std::size_t>(count);
    }
    return inside;
}

}  // namespace rollpath::testing
