#pragma once
// Pictures cut to a rectangle: what a viewport shows of model space.
#include "display_list.h"

namespace render {

// Maps drawing points: scale, turn, move (a similarity, as a viewport's).
struct Placement {
  double scale = 1.0, rotation = 0.0;  // radians, counter-clockwise
  Point2 from;                          // this point...
  Point2 to;                            // ...lands here
  Point2 apply(Point2 p) const;
};

// Adds to `out` each primitive of `in` placed by `placement` and cut to
// `box`: lines and outlines keep their pieces inside, filled areas their
// part inside; a text run or a picture is kept whole when its box meets
// `box` and left out otherwise (glyphs and pixels are cut by a ClipPrim
// around them); a clip keeps its region and cuts its content.
void addPlacedAndClipped(const DisplayList& in, const Placement& placement, const Bounds& box, DisplayList& out);

// The pieces of a polyline inside the box (a closed one is opened where it
// leaves the box).
std::vector<std::vector<Point2>> clipPolyline(const std::vector<Point2>& points, bool closed, const Bounds& box);

// The part of a polygon inside the box (empty when none).
std::vector<Point2> clipPolygon(const std::vector<Point2>& points, const Bounds& box);

}  // namespace render
