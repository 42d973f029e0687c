// Ordinate dimensions: a leader from the feature along the measured axis's
// perpendicular to the text, with a dog-leg when the leader's end is not
// in line with the feature.
#include <algorithm>

#include "OdDbDimension.h"
#include "dim_builders.h"

namespace render {

using namespace g2;

void buildOrdinate(OdDbOrdinateDimension* dim) {
  DimGeometry g(dim);
  const OdDbDimVars& v = g.vars();
  const P f = dim->definingPoint();
  P e = dim->leaderEndPoint();
  // An X ordinate's leader runs along Y and the other way round.
  const bool xAxis = dim->isUsingXAxis();
  auto runTo = [&](const P& p) { return xAxis ? p.y - f.y : p.x - f.x; };
  // Text moved by hand with the leader following it (DIMTMOVE 0): the
  // leader ends where the text, standing where it was put, would have it.
  const bool leaderFollows = !dim->isUsingDefaultTextPosition() && v.tmove == 0;
  const double side = runTo(leaderFollows ? dim->textPosition() : e);
  const V along = xAxis ? V(0, side >= 0 ? 1 : -1, 0) : V(side >= 0 ? 1 : -1, 0, 0);
  const DimText text = dimTextFor(g, dim->getMeasurement(), MeasureKind::Ordinate);
  // The text continues the leader, read along it.
  const double rotation = dim->textRotation() != 0.0 ? dim->textRotation() : readable(angleOf(along));
  const double half = g.box(text.above, e, rotation).halfExtentAlong(angleOf(along));
  if (leaderFollows) e = dim->textPosition() - along * (g.gap() + half);
  const double run = runTo(e);
  const double off = xAxis ? e.x - f.x : e.y - f.y;
  const V sideways = xAxis ? V(1, 0, 0) : V(0, 1, 0);
  const P start = f + along * g.extOffset();
  const double total = std::fabs(run);
  if (std::fabs(off) < 1e-9 || total < 4 * g.arrowSize()) {
    g.line(start, e, DimPart::ExtensionLine1);
  } else {
    // Straight, a dog-leg over the middle, straight again.
    const double jog = std::min(g.arrowSize(), total / 4);
    const P a = f + along * (total / 2 - jog);
    const P b = a + along * (2 * jog) + sideways * off;
    g.line(start, a, DimPart::ExtensionLine1);
    g.line(a, b, DimPart::ExtensionLine1);
    g.line(b, e, DimPart::ExtensionLine1);
  }
  PlacedText placed;
  placed.above = g.box(text.above, e, rotation);
  placed.below = g.box(text.below, e, rotation);
  P centre = dim->isUsingDefaultTextPosition() ? e + along * (g.gap() + half) : dim->textPosition();
  placed.above.centre = centre;
  if (!text.below.empty()) {
    const V up = perp(dir(rotation));
    placed.above.centre = centre + up * (placed.above.height / 2 + g.gap());
    placed.below.centre = centre - up * (placed.below.height / 2 + g.gap());
  } else if (v.tad != 0) {
    // Text above the leader's line: the leader runs on under it.
    const V up = perp(dir(rotation));
    placed.above.centre = centre + up * (placed.above.height / 2 + g.gap()) - along * (g.gap() + half);
    g.line(e, e + along * (2 * half), DimPart::ExtensionLine1);
  }
  emitText(g, text, placed);
  g.commit(centre);
}

}  // namespace render
