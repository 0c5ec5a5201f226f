#include "geometry/SelfIntersection.h"

#include <algorithm>
#include <vector>

namespace rollpath {

namespace {

double Orientation(const DPoint& o, const DPoint& a, const DPoint& b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

int Sign(double v) {
    return (v > 0.0) - (v < 0.0);
}

// p lies on the closed segment ab, given that the three are collinear.
bool WithinBox(const DPoint& a, const DPoint& b, const DPoint& p) {
    return std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= p.y &&
           p.y <= std::max(a.y, b.y);
}

// Where the closed segments ab and cd meet, if they do.
std::optional<DPoint> Meet(const DPoint& a, const DPoint& b, const DPoint& c, const DPoint& d) {
    const int o1 = Sign(Orientation(a, b, c));
    const int o2 = Sign(Orientation(a, b, d));
    const int o3 = Sign(Orientation(c, d, a));
    const int o4 = Sign(Orientation(c, d, b));
    if (o1 * o2 < 0 && o3 * o4 < 0) {
        const double t = Orientation(a, c, d) / ((b.x - a.x) * (d.y - c.y) - (b.y - a.y) * (d.x - c.x));
        return DPoint{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
    }
    if (o1 == 0 && WithinBox(a, b, c)) {
        return c;
    }
    if (o2 == 0 && WithinBox(a, b, d)) {
        return d;
    }
    if (o3 == 0 && WithinBox(c, d, a)) {
        return a;
    }
    if (o4 == 0 && WithinBox(c, d, b)) {
        return b;
    }
    return std::nullopt;
}

// Neighbouring edges s-a and s-b (sharing corner s) run over each other.
bool FoldBack(const DPoint& s, const DPoint& a, const DPoint& b) {
    return Orientation(s, a, b) == 0.0 && (a.x - s.x) * (b.x - s.x) + (a.y - s.y) * (b.y - s.y) > 0.0;
}

}  // namespace

std::optional<DPoint> FindSelfIntersection(std::span<const DPoint> polygon) {
    std::vector<DPoint> p;
    p.reserve(polygon.size());
    for (const DPoint& q : polygon) {
        if (p.empty() || !(p.back() == q)) {
            p.push_back(q);
        }
    }
    while (p.size() > 1 && p.back() == p.front()) {
        p.pop_back();
    }
    const std::size_t m = p.size();
    if (m < 3) {
        return std::nullopt;
    }
    const auto from = [&p](std::size_t e) { return p[e]; };
    const auto to = [&p, m](std::size_t e) { return p[(e + 1) % m]; };
    const auto minX = [&](std::size_t e) { return std::min(from(e).x, to(e).x); };
    const auto maxX = [&](std::size_t e) { return std::max(from(e).x, to(e).x); };

    for (std::size_t e = 0; e < m; ++e) {
        if (FoldBack(to(e), from(e), to((e + 1) % m))) {
            return to(e);
        }
    }
    std::vector<std::size_t> order(m);
    for (std::size_t e = 0; e < m; ++e) {
        order[e] = e;
    }
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return minX(a) < minX(b); });
    std::vector<std::size_t> active;
    for (const std::size_t e : order) {
        const double left = minX(e);
        std::erase_if(active, [&](std::size_t a) { return maxX(a) < left; });
        for (const std::size_t a : active) {
            const bool neighbours = (a + 1) % m == e || (e + 1) % m == a;
            if (neighbours) {
                continue;  // they share a corner; folds were found above
            }
            if (const auto hit = Meet(from(a), to(a), from(e), to(e))) {
                return hit;
            }
        }
        active.push_back(e);
    }
    return std::nullopt;
}

}  // namespace rollpath
