#include "geometry/PolygonMeasures.h"

#include <climits>
#include <cmath>
#include <utility>

#include "geometry/Geodesy.h"
#include "geometry/PortableMath.h"

namespace rollpath {

double PolygonArea(const DPoint* v, int n) {
    if (n < 3) {
        return 0.0;
    }
    const double x0 = v[0].x;
    const double y0 = v[0].y;
    double sum = 0.0;
    if (n > 3) {
        const int quads = (2 * n - 3) / 4;
        for (int q = 0; q < quads; ++q) {
            const DPoint& p1 = v[2 * q + 1];
            const DPoint& p2 = v[2 * q + 2];
            const DPoint& p3 = v[2 * q + 3];
            sum += (p1.y - p3.y) * (p2.x - x0) - (p1.x - p3.x) * (p2.y - y0);
        }
    }
    if (n % 2 == 1) {
        const DPoint& a = v[n - 2];
        const DPoint& b = v[n - 1];
        sum += (a.y - y0) * (b.x - x0) - (a.x - x0) * (b.y - y0);
    }
    return sum / 2.0;
}

int PolygonConvexity(const DPoint* v, int n) {
    if (n < 3) {
        return kConvexityUnknown;
    }
    int flags = 0;
    for (int i = 0; i < n; ++i) {
        const DPoint& p = v[i];
        const DPoint& q = v[(i + 1) % n];
        const DPoint& r = v[(i + 2) % n];
        const double turn = (q.x - p.x) * (r.y - q.y) - (r.x - q.x) * (q.y - p.y);
        if (turn < 0.0) {
            flags |= 1;
        } else if (turn > 0.0) {
            flags |= 2;
        }
        if (flags == 3) {
            return kConcave;
        }
    }
    return flags != 0 ? kConvex : kConvexityUnknown;
}

int PointInPolygon(double px, double py, const DPoint* v, int n) {
    if (n < 1) {
        return kOutside;
    }
    int result = kOutside;
    for (int i = 0; i < n; ++i) {
        const DPoint& a = v[i];
        const DPoint& b = v[(i + 1) % n];
        const double ax = a.x - px;
        const double ay = a.y - py;
        const double bx = b.x - px;
        const double by = b.y - py;
        if (ax == 0.0 && ay == 0.0) {
            return kOnBoundary;
        }
        if (a.x == b.x && a.y == b.y) {
            continue;
        }
        if (ax == 0.0 && bx == 0.0 && (ay >= 0.0) != (by >= 0.0)) {
            return kOnBoundary;
        }
        if (ay == 0.0 && by == 0.0 && (ax >= 0.0) != (bx >= 0.0)) {
            return kOnBoundary;
        }
        if (ay < 0.0 && by < 0.0) {
            continue;
        }
        if ((ax >= 0.0) == (bx >= 0.0)) {
            continue;
        }
        if (ay >= 0.0 && by >= 0.0) {
            result = -result;
            continue;
        }
        // The edge crosses the ray's line at height h above the point; within
        // one foot (after truncation) the point counts as on the boundary.
        const double h = (bx * ay - by * ax) / (bx - ax);
        const double k = std::trunc(h);
        if (k == 0.0) {
            return kOnBoundary;
        }
        if (k > 0.0) {
            result = -result;
        }
    }
    return result;
}

int IntersectSegments(double x1, double y1, double x2, double y2, double x3, double y3, double x4, double y4,
                      double& outX, double& outY, int bounded) {
    const double d = (x2 - x1) * (y4 - y3) - (y2 - y1) * (x4 - x3);
    if (d == 0.0) {
        return 0;
    }
    const double t = ((y1 - y3) * (x4 - x3) - (x1 - x3) * (y4 - y3)) / d;
    const double u = ((x2 - x1) * (y1 - y3) - (y2 - y1) * (x1 - x3)) / d;
    if (bounded != 0 && !(t > 0.0 && t < 1.0 && u > 0.0 && u < 1.0)) {
        return 0;
    }
    outX = x1 + t * (x2 - x1);
    outY = y1 + t * (y2 - y1);
    return 1;
}

int IntersectSegments(const DPoint& p1, const DPoint& p2, const DPoint& p3, const DPoint& p4, DPoint& out,
                      bool bounded) {
    return IntersectSegments(p1.x, p1.y, p2.x, p2.y, p3.x, p3.y, p4.x, p4.y, out.x, out.y, bounded ? 1 : 0);
}

double SignedAngle(double x0, double y0, double x1, double y1, double x2, double y2) {
    const double ax = x2 - x1;
    const double ay = y2 - y1;
    const double bx = x0 - x1;
    const double by = y0 - y1;
    const double sign = (ay * bx - ax * by < 0.0) ? -1.0 : 1.0;
    const double lengths = std::sqrt(ax * ax + ay * ay) * std::sqrt(bx * bx + by * by);
    if (lengths == 0.0) {
        return 0.0;
    }
    const double c = (ax * bx + ay * by) / lengths;
    if (c < -1.0 || c > 1.0) {
        return 0.0;
    }
    return sign * math::Acos(c);
}

namespace {

int TruncateToInt(double v) {
    if (std::isnan(v)) {
        return 0;
    }
    if (v >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (v <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<int>(v);
}

bool Between(int v, int a, int b) {
    return a <= b ? (v >= a && v <= b) : (v >= b && v <= a);
}

}  // namespace

int DistanceToLine(int px, int py, int x1, int y1, int x2, int y2, int gate) {
    if (gate != 0) {
        bool inside = false;
        if (x1 == x2) {
            inside = Between(py, y1, y2);
        } else if (y1 == y2) {
            inside = Between(px, x1, x2);
        } else {
            inside = Between(px, x1, x2) && Between(py, y1, y2);
        }
        if (!inside) {
            return kDistanceOutsideGate;
        }
    }
    const double dx = static_cast<double>(x1) - static_cast<double>(x2);
    const double dy = static_cast<double>(y1) - static_cast<double>(y2);
    const double ex = static_cast<double>(px) - static_cast<double>(x1);
    const double ey = static_cast<double>(py) - static_cast<double>(y1);
    const double length = std::sqrt(dx * dx + dy * dy);
    if (length == 0.0) {
        return TruncateToInt(std::sqrt(ex * ex + ey * ey));
    }
    return TruncateToInt((ex * dy - ey * dx) / length);
}

void BezierPoint(double x0, double y0, double x1, double y1, double x2, double y2, double x3, double y3,
                 double t, DPoint& out) {
    const double s = 1.0 - t;
    const double a = s * s * s;
    const double b = 3.0 * s * s * t;
    const double c = 3.0 * s * t * t;
    const double d = t * t * t;
    out.x = x0 * a + x1 * b + x2 * c + x3 * d;
    out.y = y0 * a + y1 * b + y2 * c + y3 * d;
}

DPoint BezierPoint(const DPoint& p0, const DPoint& p1, const DPoint& p2, const DPoint& p3, double t) {
    DPoint out;
    BezierPoint(p0.x, p0.y, p1.x, p1.y, p2.x, p2.y, p3.x, p3.y, t, out);
    return out;
}

void IntersectWithNormal(const DPoint& p0, const DPoint& p1, const DPoint& p2, DPoint& p3) {
    const double phi = NormalizeAngle(math::Atan2(p1.y - p0.y, p1.x - p0.x) + kPi / 2.0, kTwoPi);
    const double length = 2.0 * math::Hypot(p2.x - p1.x, p2.y - p1.y);
    const DPoint n1 = Along(p1, UnitVector(phi), length);
    const DPoint n2 = Along(p1, UnitVector(phi), -length);
    DPoint hit;
    if (IntersectSegments(p2, p3, n1, n2, hit, false) != 0) {
        p3 = hit;
    }
}

void ReversePolygon(DPoint* v, int n) {
    for (int i = 0, j = n - 1; i < j; ++i, --j) {
        std::swap(v[i], v[j]);
    }
}

}  // namespace rollpath
