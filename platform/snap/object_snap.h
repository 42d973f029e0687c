#pragma once
// Object snaps: while a point is being picked, the cursor jumps to the end
// of a curve, its middle, the centre of an arc or circle, or the point
// where two curves cross, when one lies within the aperture around it.
//
// Curves are plane: lines, arcs and circles in the XY plane, as the view
// draws them.
#include <cstddef>
#include <optional>
#include <variant>
#include <vector>

class OdDbEntity;

namespace snap {

struct Point {
  double x = 0, y = 0;
  bool operator==(const Point&) const = default;
};

struct Segment {
  Point a, b;
};

// A circle when `full`; otherwise the arc from `start` counter-clockwise to
// `end` (radians).
struct Arc {
  Point centre;
  double radius = 0;
  double start = 0, end = 0;
  bool full = false;
};

// Any other curve, as a row of points close to it: an ellipse, a spline,
// a ray. Which of its ends are ends of the curve (a ray has one), its
// centre if it has one, and whether its crossings with other curves count
// (not for a spline, whose row is its control polygon).
struct Path {
  std::vector<Point> points;
  bool closed = false;
  bool firstIsEnd = true, lastIsEnd = true;
  std::optional<Point> centre;
  bool crossings = true;
};

using Curve = std::variant<Segment, Arc, Path>;

// In the order that decides between two snaps equally near the cursor.
// The nearest point of a curve is always near: it is offered only where no
// other kind asked for is found (a centre reached from its arc included).
enum class Kind { kEndpoint, kIntersection, kMidpoint, kCentre, kNearest };
constexpr unsigned kindBit(Kind k) { return 1u << unsigned(k); }
// Every kind at a fixed place of a curve (all but the nearest point).
constexpr unsigned kAllKinds = 0xF;

// The kinds a drawing's OSMODE asks for: end 1, middle 2, centre 4,
// crossing 32, nearest 512. The others (node, quadrant, insertion,
// perpendicular, tangent, ...) are not found here; the bit 16384 (all off)
// is the caller's to look at.
unsigned kindsOfOsmode(unsigned osmode);

struct Snap {
  Kind kind = Kind::kEndpoint;
  Point point;
  // The curve it lies on (an index into the curves asked), and the second
  // curve of a crossing: what a window needs to say which objects it was.
  std::size_t curve = 0;
  std::optional<std::size_t> other;
};

// The curves snaps see in an entity: a line, an arc, a circle, the
// segments and bulge arcs of a polyline, an ellipse, a spline (by its
// control points, or fit points: its ends are right for clamped splines),
// a ray or construction line, the visible edges of a 3D face. Other kinds
// (text, dimensions, blocks, solids, traces) give none.
void addCurvesOf(const OdDbEntity& entity, std::vector<Curve>& out);

double distanceTo(const Curve& curve, Point p);

// Where two curves meet (at most two points; none for overlapping ones).
std::vector<Point> intersections(const Curve& a, const Curve& b);

// The snap of the kinds in `kinds` (bits of kindBit) nearest to `cursor`
// within `aperture`. When no point lies that near but the cursor is on an
// arc or circle, that curve's centre (the way to reach the centre of a
// circle larger than the aperture); failing that, the point of the curve
// nearest to the cursor when kNearest is asked (not on a spline, whose row
// of points is not the curve).
std::optional<Snap> nearestSnap(const std::vector<Curve>& curves, Point cursor, double aperture, unsigned kinds);

}  // namespace snap
