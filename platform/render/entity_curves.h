#pragma once
// The curves of an entity, in its drawing's coordinates: the one place
// that turns lines, arcs, circles, polylines (light-weight and old-form),
// ellipses, splines, 3D faces, rays and construction lines into curves.
// The renderer strokes them (adding widths and fills of its own); object
// snaps find ends, middles, centres and crossings on them. What is drawn
// is what is snapped to.
#include <optional>
#include <vector>

#include "display_list.h"

class OdDbEntity;

namespace render {

struct CurvePath {
  // Starts with a move (or an arc); a close returns to the sub-path's start.
  std::vector<PathSegment> segments;
  // The lines stand for one smooth curve (a spline, a polyline arc on a
  // tilted plane): their joints are no corners, ends or middles.
  bool smooth = false;
};

// A ray from `base` along `dir`, or a construction line both ways.
struct UnboundedCurve {
  Point2 base, dir;
  bool bothWays = false;
};

struct EntityCurves {
  std::vector<CurvePath> paths;
  std::optional<UnboundedCurve> unbounded;
};

// The fineness the renderer draws splines and arcs on tilted planes at, in
// points per full circle (see docs/geometry.md).
constexpr int kCurvePointsPerTurn = 96;

// False for the kinds that are no curves (text, fills, blocks, dimensions,
// leaders, points, kinds kept as read other than old polylines). Curves
// given by numbers that are not finite are left out. `perTurn`: the
// fineness of splines and tilted arcs, in points per full circle.
bool curvesOf(const OdDbEntity& entity, int perTurn, EntityCurves& out);

}  // namespace render
