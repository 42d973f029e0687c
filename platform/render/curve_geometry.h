#pragma once
// The geometry of curves drawn as points: ellipses and their arcs,
// B-splines (rational or not), and unbounded lines clipped to a box. Plane
// (z is ignored), in the drawing's coordinates.
#include <vector>

#include "display_list.h"
#include "geom2d.h"

namespace render {

// The points of an ellipse from parameter `start` to `end` (radians from
// the major axis, counter-clockwise about `normal`; equal ones, or a full
// turn apart, the whole ellipse), `perTurn` of them for a full turn.
std::vector<g2::P> ellipsePoints(const g2::P& centre, const g2::V& majorAxis, const g2::V& normal, double ratio,
                                 double start, double end, int perTurn);

// A B-spline of `degree` by its control points and knots; `weights`
// (one per control point) make it rational, empty ones leave it not. Knots
// that do not fit (too few, decreasing) are replaced by a clamped uniform
// row, so the curve still starts and ends at the end control points.
struct SplineData {
  int degree = 3;
  std::vector<double> knots, weights;
  std::vector<g2::P> controlPoints;
};

// The point of the spline at parameter u (within its knots' domain).
g2::P splinePointAt(const SplineData& s, double u);

// The spline as a polyline no farther than `tolerance` from the curve
// (checked at the middle of each piece), at most `maxPoints` points.
std::vector<g2::P> splinePoints(SplineData s, double tolerance, int maxPoints = 4096);

// The part of the line base + t * dir (t >= 0 for a ray, any t otherwise)
// inside `box`; false when it misses the box.
bool clipToBox(Point2 base, Point2 dir, bool bothWays, const Bounds& box, Point2& from, Point2& to);

}  // namespace render
