#pragma once

// Stateless planar routines on LocalFeet values (feet, x east, y north), so
// "clockwise" always means clockwise with north up. Angles are radians.

#include <climits>
#include <cmath>

#include "geometry/DPoint.h"

namespace rollpath {

// Signed area: positive for clockwise vertices, negative for counter-clockwise,
// 0 for fewer than 3. Computed as a fan of quadrilaterals around the first
// vertex (plus a final triangle for an odd count).
double PolygonArea(const DPoint* v, int n);

enum Convexity { kConvexityUnknown = 0, kConvex = 1, kConcave = -1 };

// kConvex when every turn goes one way, kConcave when turns go both ways,
// kConvexityUnknown when every turn is zero (or n < 3).
int PolygonConvexity(const DPoint* v, int n);

enum PointLocation { kOutside = -1, kOnBoundary = 0, kInside = 1 };

// Classifies a point against a polygon by a ray cast north. A point less than
// one foot above or below an edge that the ray crosses counts as on the
// boundary.
int PointInPolygon(double px, double py, const DPoint* v, int n);

// Intersection of the line through P1, P2 with the line through P3, P4.
// Bounded: both parameters strictly inside (0, 1), so meeting exactly at an
// end point is not reported. Returns 1 and writes the point, or 0 and writes
// nothing (parallel or collinear lines, or outside the bounds).
int IntersectSegments(double x1, double y1, double x2, double y2, double x3, double y3, double x4, double y4,
                      double& outX, double& outY, int bounded);
int IntersectSegments(const DPoint& p1, const DPoint& p2, const DPoint& p3, const DPoint& p4, DPoint& out,
                      bool bounded);

// Angle at (x1, y1) between the arms toward (x2, y2) and (x0, y0), in
// [-pi, pi]; 0 when an arm has zero length.
double SignedAngle(double x0, double y0, double x1, double y1, double x2, double y2);

inline constexpr int kDistanceOutsideGate = 1000000;

// Signed perpendicular distance from p to the line through L1 and L2,
// truncated toward zero. With gate set, a point outside the bounding box of
// L1 and L2 gives kDistanceOutsideGate. Two equal line points give the
// distance to that point.
int DistanceToLine(int px, int py, int x1, int y1, int x2, int y2, int gate);

// The point at t of the cubic Bezier curve with control points P0..P3.
void BezierPoint(double x0, double y0, double x1, double y1, double x2, double y2, double x3, double y3,
                 double t, DPoint& out);
DPoint BezierPoint(const DPoint& p0, const DPoint& p1, const DPoint& p2, const DPoint& p3, double t);

// Ceiling for v >= 0, floor for v < 0. Values beyond the int range saturate;
// NaN gives 0. Inline and free of library calls: the view projects every
// point it draws through it.
inline int RoundAwayFromZero(double v) {
    if (!(v > static_cast<double>(INT_MIN) && v < static_cast<double>(INT_MAX))) {
        return std::isnan(v) ? 0 : (v > 0.0 ? INT_MAX : INT_MIN);
    }
    const int t = static_cast<int>(v);
    return v > t ? t + 1 : (v < t ? t - 1 : t);
}

// Slides P3 along the line through P2 and P3 onto the line through P1
// perpendicular to P0-P1. When the two lines are parallel P3 stays unchanged.
void IntersectWithNormal(const DPoint& p0, const DPoint& p1, const DPoint& p2, DPoint& p3);

void ReversePolygon(DPoint* v, int n);

}  // namespace rollpath
