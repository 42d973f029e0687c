#pragma once
// Paths as straight lines: for the writers that draw polylines only (the
// rasteriser, the view's dashes, hosts' picture sinks), and the geometry of
// a path's arcs that the others need (points on them, Bezier forms, bounds).
#include <vector>

#include "display_list.h"

namespace render {

// One sub-path as a polyline; a closed one does not repeat its first point.
struct FlatLine {
  std::vector<Point2> points;
  bool closed = false;
};

// The path as polylines that stray no further than `tolerance` (drawing
// units) from the curves. Each line and arc ends exactly where its segment
// says. A segment holding a number that is not finite is left out (the pen
// stays where it was); a sub-path with a single point is left out. A
// tolerance that is not a positive number draws curves at the finest
// division allowed.
std::vector<FlatLine> flatten(const std::vector<PathSegment>& segments, double tolerance);

// Whether every number of the segment is finite.
bool isFinite(const PathSegment& segment);

// The point of an arc segment at parameter `t`.
Point2 arcPointAt(const PathSegment& arc, double t);

// An arc as cubic Bezier segments (each spanning at most a quarter turn),
// starting at the arc's first point; empty for an arc with a number that is
// not finite.
std::vector<PathSegment> arcAsCubics(const PathSegment& arc);

// The box around the curves themselves (arcs by their extreme points,
// cubics by their control points), plus `halfWidth` all round.
Bounds pathBounds(const std::vector<PathSegment>& segments, double halfWidth);

}  // namespace render
