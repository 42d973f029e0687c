#pragma once
// Pattern lines cut to a hatch's region: the region is a set of closed
// polygons, inside by the even-odd or the non-zero rule as the fill would
// be; each family of parallel lines is laid across it and dashed.
#include <cstddef>
#include <utility>
#include <vector>

#include "display_list.h"

namespace render {

using Polygon = std::vector<Point2>;

// The stretches of the line through `origin` along the unit vector `dir`
// inside the region, as parameters along it (origin + t dir), in order.
std::vector<std::pair<double, double>> insideSpans(const std::vector<Polygon>& region, FillRule rule,
                                                   Point2 origin, Point2 dir);

// One family: the line at `angle` (radians) through `base`, repeated by
// `offset`; dashes as a linetype's (positive a dash, negative a gap, zero a
// dot), measured from where each line passes its own copy of the base.
struct PatternFamily {
  double angle = 0;
  Point2 base, offset;
  std::vector<double> dashes;
};

struct PatternStrokes {
  std::vector<std::pair<Point2, Point2>> dashes;
  std::vector<Point2> dots;
  // More lines than allowed crossed the region: every n-th line was drawn.
  bool thinned = false;
};

// The family's lines across the region, at most `maxLines` of them (a
// denser family draws every n-th line, evenly). A line holding more than
// `maxDashesPerSpan` dash periods in one stretch draws that stretch whole.
void addPatternStrokes(const std::vector<Polygon>& region, FillRule rule, const PatternFamily& family,
                       std::size_t maxLines, PatternStrokes& out, std::size_t maxDashesPerSpan = 2000);

// Whether `p` is inside the region by the rule.
bool insideRegion(const std::vector<Polygon>& region, FillRule rule, Point2 p);

}  // namespace render
