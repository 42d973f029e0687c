// Where a dimension's text goes relative to its line, and the line broken
// around it: the rules of DIMTAD, DIMTVP and DIMGAP shared by every kind.
#include <algorithm>

#include "dim_builders.h"

namespace render {

using namespace g2;

DimText dimTextFor(const DimGeometry& g, double measured, MeasureKind kind) {
  const std::string text = measurementText(measured, kind, g.vars(), g.dimension()->dimensionText());
  auto [above, below] = splitBelowMark(text);
  return DimText{above, below};
}

PlacedText placeText(const DimGeometry& g, const DimText& t, const P& anchor, const V& lineDir, double rotation,
                     const V& awayFromFeatures) {
  const OdDbDimVars& v = g.vars();
  PlacedText out;
  out.above = g.box(t.above, anchor, rotation);
  out.below = g.box(t.below, anchor, rotation);
  const V u = unit(lineDir);
  // The side of the line that is "up" for the text; for text across the
  // line's direction, the side away from the features.
  const V textUp = perp(dir(rotation));
  V n = perp(u);
  const double side = dot(n, textUp);
  if (std::fabs(side) < 1e-9) n = dot(n, awayFromFeatures) >= 0 ? n : n * -1;
  else if (side < 0) n = n * -1;
  const double acrossAngle = angleOf(n);
  const double halfA = out.above.halfExtentAlong(acrossAngle), halfB = out.below.halfExtentAlong(acrossAngle);
  const double gap = g.gap();
  if (!t.below.empty()) {
    // Primary above the line, the rest below it.
    out.above.centre = anchor + n * (halfA + gap);
    out.below.centre = anchor - n * (halfB + gap);
    return out;
  }
  switch (v.tad) {
    case 1:  // above
    case 3:  // JIS: above, always along the line
      out.above.centre = anchor + n * (halfA + gap);
      break;
    case 2: {  // on the side away from the features
      const V away = dot(n, awayFromFeatures) >= 0 ? n : n * -1;
      out.above.centre = anchor + away * (out.above.halfExtentAlong(angleOf(away)) + gap);
      break;
    }
    case 4:  // below
      out.above.centre = anchor - n * (halfA + gap);
      break;
    default: {
      // Centred, raised by DIMTVP text heights; the line breaks while the
      // text still covers it.
      const double raise = v.tvp * g.textHeight();
      out.above.centre = anchor + n * raise;
      out.onLine = std::fabs(raise) < halfA + gap;
      break;
    }
  }
  return out;
}

void emitText(DimGeometry& g, const DimText& t, const PlacedText& p) {
  g.text(t.above, p.above);
  g.text(t.below, p.below);
}

void lineAroundText(DimGeometry& g, const P& a, const P& b, const PlacedText& p, DimPart part) {
  const V ab = b - a;
  const double L = len(ab);
  if (L < 1e-12) return;
  if (!p.onLine || p.above.width <= 0) {
    g.line(a, b, part);
    return;
  }
  const V u = ab * (1.0 / L);
  // The stretch of the line the text box (with its gap) covers.
  const double c = dot(p.above.centre - a, u);
  const double h = p.above.halfExtentAlong(angleOf(u)) + g.gap();
  const double s = std::clamp(c - h, 0.0, L), e = std::clamp(c + h, 0.0, L);
  if (s > 1e-12) g.line(a, a + u * s, part);
  if (L - e > 1e-12) g.line(a + u * e, b, part);
}

}  // namespace render
