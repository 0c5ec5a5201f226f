#include "pavement/JunctionWalk.h"

#include <cmath>

#include "geometry/Geodesy.h"
#include "geometry/PolygonMeasures.h"

namespace rollpath {

namespace {

// Which side of the line from f through p the point x lies on: +1, -1, or 0
// on the line.
int SideOf(const DPoint& f, const DPoint& p, const DPoint& x) {
    const double cross = (p.x - f.x) * (x.y - f.y) - (p.y - f.y) * (x.x - f.x);
    return cross > 0.0 ? 1 : (cross < 0.0 ? -1 : 0);
}

// The angle at p from the arm toward f to the arm toward g; a segment lying
// back along the other (angle 0) counts as straight on.
double TurnAngle(const DPoint& f, const DPoint& p, const DPoint& g) {
    const double t = SignedAngle(f.x, f.y, p.x, p.y, g.x, g.y);
    return t == 0.0 ? kPi : t;
}

}  // namespace

Neighbour NextAroundVertex(const std::vector<JunctionEnd>& ends, int current, const DPoint& p) {
    const int n = static_cast<int>(ends.size());
    const JunctionEnd& a = ends[static_cast<std::size_t>(current)];
    const DPoint q = Along(p, UnitVector(a.dir + kPi / 2.0), 50.0);
    int sideQ = SideOf(a.far, p, q);
    if (sideQ == 0) {
        sideQ = 1;
    }

    Neighbour best;
    double smallest = kTwoPi;
    for (int step = 1; step < n; ++step) {
        const int c = (current + step) % n;
        const DPoint& g = ends[static_cast<std::size_t>(c)].far;
        if (SideOf(a.far, p, g) != sideQ) {
            continue;
        }
        const double t = TurnAngle(a.far, p, g);
        if (std::fabs(t) < smallest) {
            smallest = std::fabs(t);
            best = Neighbour{c, t};
        }
    }
    if (best.index >= 0) {
        return best;
    }

    double largest = 0.0;
    for (int c = 0; c < n; ++c) {
        if (c == current) {
            continue;
        }
        const double t = TurnAngle(a.far, p, ends[static_cast<std::size_t>(c)].far);
        if (std::fabs(t) >= largest) {
            largest = std::fabs(t);
            best = Neighbour{c, t >= 0.0 ? t - kTwoPi : t + kTwoPi};
        }
    }
    return best;
}

}  // namespace rollpath
