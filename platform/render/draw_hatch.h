#pragma once
// What the renderer draws of a hatch, a wipeout or an image frame: the
// region as polygons in the picture's coordinates, with the rule that fills
// it, and the pattern's strokes (see docs/geometry.md).
#include <functional>
#include <vector>

#include "OdDbHatchShape.h"
#include "hatch_lines.h"

namespace render {

// At most this many pattern lines per hatch; a denser pattern draws every
// n-th line of each family.
constexpr std::size_t kMaxHatchLines = 10000;

struct HatchDrawing {
  std::vector<Polygon> region;  // the loops that take part, flattened
  FillRule rule = FillRule::kEvenOdd;
  PatternStrokes pattern;       // empty unless the fill is a pattern
};

// `toPicture` maps a world point (x, y) into the picture.
HatchDrawing hatchDrawing(const OdDbHatchShape& shape, const std::function<Point2(double, double)>& toPicture,
                          std::size_t maxLines = kMaxHatchLines);

}  // namespace render
