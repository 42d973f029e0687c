#pragma once
// A smooth curve through a row of points, for spline leaders: the natural
// cubic spline (no bending at the two ends) over the chord lengths of the
// row, sampled into a polyline.
#include <vector>

#include "geom2d.h"

namespace render {

struct SmoothPath {
  // The samples, from the first point of the row to its last, passing
  // through every point of it.
  std::vector<g2::P> points;
  // The unit direction of travel at the first point.
  g2::V startTangent{1, 0, 0};
};

// Points repeated one after another count once. Fewer than three distinct
// points give the straight path through them.
SmoothPath smoothPathThrough(const std::vector<g2::P>& row, int samplesPerSpan = 16);

}  // namespace render
