#include "bulge_arc.h"

namespace render {

std::optional<BulgeArc> bulgeArc(const g2::P& from, const g2::P& to, double bulge) {
  if (!(std::fabs(bulge) > 1e-12) || !std::isfinite(bulge)) return std::nullopt;
  const g2::P a = g2::flat(from), b = g2::flat(to);
  const g2::V chord = b - a;
  const double half = g2::len(chord) / 2;
  if (!(half > 0) || !std::isfinite(half)) return std::nullopt;
  BulgeArc arc;
  arc.sweep = 4 * std::atan(bulge);
  // The centre lies off the chord's middle, to the left of it when the arc
  // turns counter-clockwise.
  arc.centre = g2::mid(a, b) + g2::perp(g2::unit(chord)) * (half / std::tan(arc.sweep / 2));
  arc.radius = arc.centre.distanceTo(a);
  arc.start = g2::angleOf(a - arc.centre);
  return arc;
}

}  // namespace render
