#include "draw_hatch.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "bulge_arc.h"
#include "curve_geometry.h"
#include "geom2d.h"
#include "path_flatten.h"
#include "plane_transform.h"
#include "smooth_path.h"

namespace render {

namespace {

// Loops are drawn as fine as a circle of their size with this many chords,
// as splines are.
constexpr int kPerTurn = 96;
// Working out which loops lie inside which costs loops squared; beyond this
// many loops every loop takes part, islands alternating.
constexpr std::size_t kMaxNestedLoops = 500;

// The entity's plane: its own x and y axes in the world.
struct Plane {
  OdGeVector3d ax{1, 0, 0}, ay{0, 1, 0}, n{0, 0, 1};
  double elevation = 0;
  Plane(const OdGeVector3d& normal, double elev) : elevation(elev) {
    const EntityPlane p = entityPlane(normal);
    ax = p.ax, ay = p.ay, n = p.n;
  }
  // World x and y of a point of the plane (the picture looks down world z).
  Point2 world(Point2 p) const {
    return {p.x * ax.x + p.y * ay.x + elevation * n.x, p.x * ax.y + p.y * ay.y + elevation * n.y};
  }
};

Point2 p2(const OdGePoint3d& p) { return {p.x, p.y}; }

// The arc's sweep from `a0` to `a1` counter-clockwise (a full turn when they
// meet); a clockwise arc runs from -a0 the other way.
PathSegment edgeArc(const OdDbHatchEdge& e, Point2 axis, double ratio) {
  double sweep = g2::sweep(e.startAngle, e.endAngle);
  if (sweep == 0.0) sweep = 2 * std::numbers::pi;
  const double start = e.counterClockwise ? e.startAngle : -e.startAngle;
  return PathSegment::arc(p2(e.centre), axis, ratio, start, e.counterClockwise ? start + sweep : start - sweep);
}

void addEdge(const OdDbHatchEdge& e, std::vector<PathSegment>& out) {
  auto to = [&](Point2 p) { out.push_back(out.empty() ? PathSegment::moveTo(p) : PathSegment::lineTo(p)); };
  switch (e.kind) {
    case OdDbHatchEdge::Kind::kLine:
      to(p2(e.start));
      to(p2(e.end));
      return;
    case OdDbHatchEdge::Kind::kCircularArc:
      out.push_back(edgeArc(e, {e.radius, 0}, 1));
      return;
    case OdDbHatchEdge::Kind::kEllipticArc:
      out.push_back(edgeArc(e, {e.majorAxis.x, e.majorAxis.y}, e.ratio));
      return;
    case OdDbHatchEdge::Kind::kSpline: {
      std::vector<g2::P> points;
      if (!e.controlPoints.empty()) {
        double minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
        for (const auto& p : e.controlPoints)
          minX = std::min(minX, p.x), minY = std::min(minY, p.y), maxX = std::max(maxX, p.x), maxY = std::max(maxY, p.y);
        const double size = std::hypot(maxX - minX, maxY - minY);
        if (!std::isfinite(size)) return;
        SplineData d;
        d.degree = e.degree;
        d.knots = e.knots;
        d.weights = e.weights;
        d.controlPoints = e.controlPoints;
        const double tolerance = size / 2 * (1 - std::cos(std::numbers::pi / kPerTurn));
        points = splinePoints(std::move(d), tolerance > 0 ? tolerance : 1e-9);
      } else {
        points = smoothPathThrough(e.fitPoints).points;
      }
      for (const auto& p : points) to(p2(p));
      return;
    }
  }
}

// A polyline loop, its stretches straight or along their bulges' arcs.
void addPolyline(const OdDbHatchLoop& loop, std::vector<PathSegment>& out) {
  const std::size_t n = loop.vertices.size();
  for (std::size_t i = 0; i < n; ++i) {
    const Point2 a = p2(loop.vertices[i]), b = p2(loop.vertices[(i + 1) % n]);
    if (i == 0) out.push_back(PathSegment::moveTo(a));
    const double bulge = i < loop.bulges.size() ? loop.bulges[i] : 0.0;
    if (const std::optional<BulgeArc> arc = bulgeArc(loop.vertices[i], loop.vertices[(i + 1) % n], bulge)) {
      out.push_back(PathSegment::circleArc(p2(arc->centre), arc->radius, arc->start, arc->start + arc->sweep));
      continue;
    }
    if (i + 1 < n) out.push_back(PathSegment::lineTo(b));
  }
  out.push_back(PathSegment::close());
}

// The loop in its plane as a polygon (empty when it has no area to speak of).
Polygon flatLoop(const OdDbHatchLoop& loop) {
  std::vector<PathSegment> segments;
  if (loop.isPolyline()) {
    if (loop.vertices.size() >= 2) addPolyline(loop, segments);
  } else {
    for (const OdDbHatchEdge& e : loop.edges) addEdge(e, segments);
    if (!segments.empty()) segments.push_back(PathSegment::close());
  }
  if (segments.size() < 2 || !std::all_of(segments.begin(), segments.end(), isFinite)) return {};
  const Bounds box = pathBounds(segments, 0);
  const double size = std::hypot(box.width(), box.height());
  if (!(size > 0) || !std::isfinite(size)) return {};
  Polygon poly;
  // Edges follow one another; a loop the file broke into pieces is still
  // one polygon.
  for (const FlatLine& line : flatten(segments, size / 2 * (1 - std::cos(std::numbers::pi / kPerTurn))))
    poly.insert(poly.end(), line.points.begin(), line.points.end());
  return poly.size() >= 3 ? poly : Polygon{};
}

// How many other loops hold each loop (by its first point).
std::vector<int> depths(const std::vector<Polygon>& loops) {
  std::vector<int> depth(loops.size(), 0);
  std::vector<Bounds> boxes(loops.size());
  for (std::size_t j = 0; j < loops.size(); ++j)
    for (const Point2& p : loops[j]) boxes[j].add(p);
  for (std::size_t i = 0; i < loops.size(); ++i) {
    const Point2 p = loops[i].front();
    for (std::size_t j = 0; j < loops.size(); ++j) {
      const Bounds& b = boxes[j];
      if (i == j || p.x < b.minX || p.x > b.maxX || p.y < b.minY || p.y > b.maxY) continue;
      if (insideRegion({loops[j]}, FillRule::kEvenOdd, p)) ++depth[i];
    }
  }
  return depth;
}

}  // namespace

HatchDrawing hatchDrawing(const OdDbHatchShape& shape, const std::function<Point2(double, double)>& toPicture,
                          std::size_t maxLines) {
  HatchDrawing out;
  std::vector<Polygon> loops;
  for (const OdDbHatchLoop& loop : shape.loops)
    if (Polygon p = flatLoop(loop); !p.empty()) loops.push_back(std::move(p));
  // Style 1 (outer) fills the outermost area only: the loops outermost and
  // the islands right inside them. Style 2 (ignore) fills everything inside
  // the outermost loops, whichever way each runs.
  std::vector<Polygon> region;
  const bool byDepth = shape.style != 0 && loops.size() <= kMaxNestedLoops;
  const std::vector<int> depth = byDepth ? depths(loops) : std::vector<int>(loops.size(), 0);
  const int deepest = shape.style == 1 ? 1 : 0;
  for (std::size_t i = 0; i < loops.size(); ++i)
    if (!byDepth || depth[i] <= deepest) region.push_back(loops[i]);
  out.rule = byDepth && shape.style == 2 ? FillRule::kNonZero : FillRule::kEvenOdd;
  if (out.rule == FillRule::kNonZero) {
    // Outermost loops do not overlap: turned all one way they fill whole.
    for (Polygon& p : region) {
      double area = 0;
      for (std::size_t i = 0; i < p.size(); ++i) {
        const Point2 a = p[i], b = p[(i + 1) % p.size()];
        area += a.x * b.y - a.y * b.x;
      }
      if (area < 0) std::reverse(p.begin(), p.end());
    }
  }
  const Plane plane(shape.normal, shape.elevation);
  auto map = [&](Point2 p) {
    const Point2 w = plane.world(p);
    return toPicture(w.x, w.y);
  };
  if (shape.fill == OdDbHatchShape::Fill::kPattern && !shape.patternLines.empty()) {
    const std::size_t perFamily = std::max<std::size_t>(1, maxLines / shape.patternLines.size());
    for (const OdDbHatchPatternLine& l : shape.patternLines) {
      PatternFamily f{l.angle, p2(l.base), {l.offset.x, l.offset.y}, l.dashes};
      addPatternStrokes(region, out.rule, f, perFamily, out.pattern);
    }
    for (auto& [a, b] : out.pattern.dashes) a = map(a), b = map(b);
    for (Point2& d : out.pattern.dots) d = map(d);
  }
  for (Polygon& p : region)
    for (Point2& q : p) q = map(q);
  out.region = std::move(region);
  return out;
}

}  // namespace render
