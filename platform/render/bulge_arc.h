#pragma once
// The arc of a polyline's bulge: the tangent of a quarter of the angle the
// arc spans from one vertex to the next, positive counter-clockwise. Every
// polyline, hatch boundary and snap reads bulges through this one formula.
#include <optional>

#include "geom2d.h"

namespace render {

struct BulgeArc {
  g2::P centre;
  double radius = 0;
  double start = 0;  // the angle of `from` seen from the centre
  double sweep = 0;  // signed: positive counter-clockwise
};

// Nothing when the stretch is straight: no bulge to speak of, one that is
// not a number, or both ends on one point.
std::optional<BulgeArc> bulgeArc(const g2::P& from, const g2::P& to, double bulge);

}  // namespace render
