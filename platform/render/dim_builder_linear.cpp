// Rotated and aligned dimensions: two extension lines, a dimension line
// between them, arrows and the text, fitted as DIMATFIT, DIMTIX, DIMSOXD,
// DIMTOFL, DIMJUST and DIMTMOVE ask.
#include <algorithm>

#include "OdDbDimension.h"
#include "dim_builders.h"

namespace render {
namespace {

using namespace g2;

struct LinearInput {
  P x1, x2, dimLinePoint;
  double angle = 0;    // direction of the dimension line
  double oblique = 0;  // direction of the extension lines; 0: square to the line
};

void buildLinear(OdDbDimension* dim, const LinearInput& in) {
  DimGeometry g(dim);
  const OdDbDimVars& v = g.vars();
  const V d = dir(in.angle);
  const bool userText = !dim->isUsingDefaultTextPosition();
  const DimText text = dimTextFor(g, dim->getMeasurement(), MeasureKind::Linear);

  // With the text moved by the user and the line following it, the line
  // runs where the text says.
  P linePoint = in.dimLinePoint;
  if (userText && v.tmove == 0) linePoint = dim->textPosition();
  // Extension lines run square to the line, or at the oblique angle.
  const V n = perp(d), w = dir(in.oblique);
  const bool slanted = in.oblique != 0.0 && std::fabs(dot(w, n)) > 1e-9;
  auto project = [&](const P& x) {
    if (slanted) return x + w * (dot(linePoint - x, n) / dot(w, n));
    return linePoint + d * dot(x - linePoint, d);
  };
  P p1 = project(in.x1), p2 = project(in.x2);
  const double L = p1.distanceTo(p2);
  const V u = unit(p2 - p1, d);

  // The side of the line away from the features.
  const V fallbackSide = perp(d) * (dot(in.dimLinePoint - in.x1, perp(d)) >= 0 ? 1.0 : -1.0);
  const V away = unit(p1 - in.x1, fallbackSide);

  // Text direction: along the line, or horizontal inside / outside.
  const double aligned = readable(angleOf(u));
  auto rotationFor = [&](bool inside) {
    if (dim->textRotation() != 0.0) return dim->textRotation();
    if (v.tad == 3) return aligned;
    return (inside ? v.tih : v.toh) ? 0.0 : aligned;
  };

  // Fit: does the text, do the arrows, do both fit between the lines?
  const double asz = g.ticks() ? 0.0 : g.arrowSize();
  const DimTextBox probe = g.box(text.above, mid(p1, p2), rotationFor(true));
  const double textLength = text.empty() ? 0.0 : 2 * probe.halfExtentAlong(angleOf(u));
  const bool textAcross = v.tad == 0 && text.below.empty();
  const double needText = text.empty() ? 0.0 : textLength + (textAcross ? 2 * g.gap() : 0.0);
  const double needArrows = 2 * asz;
  bool textIn = true, arrowsIn = true;
  const bool bothFit = textAcross ? L >= needText + needArrows : L >= std::max(needText, needArrows);
  if (!bothFit) {
    switch (v.atfit) {
      case 0: textIn = arrowsIn = false; break;
      case 1: arrowsIn = false; textIn = L >= needText; break;   // arrows leave first
      case 2: textIn = false; arrowsIn = L >= needArrows; break;  // text leaves first
      default:
        if (L >= needText) arrowsIn = false;
        else if (L >= needArrows) textIn = false;
        else textIn = arrowsIn = false;
        break;
    }
  }
  if (v.tix) textIn = true;
  if (g.ticks()) arrowsIn = true;

  // Where the text goes along the line.
  const double rot = rotationFor(textIn);
  const double half = text.empty() ? 0.0 : g.box(text.above, p1, rot).halfExtentAlong(angleOf(u));
  P anchor = mid(p1, p2);
  bool leader = false;
  if (userText) {
    const P t = dim->textPosition();
    const double along = dot(t - p1, u);
    anchor = p1 + u * along;
    textIn = along >= 0 && along <= L;
    if (v.tmove != 0) {
      anchor = t;
      leader = v.tmove == 1;
    }
  } else if (textIn) {
    const double offset = 2 * g.arrowSize() + half;
    if (v.just == 1) anchor = p1 + u * std::min(offset, L / 2);
    if (v.just == 2) anchor = p2 - u * std::min(offset, L / 2);
    if (v.just == 3) anchor = p1;
    if (v.just == 4) anchor = p2;
  } else if (v.tmove == 0) {
    // Beside the second extension line (the first when justified to it),
    // past the arrow that moved out there.
    const bool atFirst = v.just == 1 || v.just == 3;
    const double past = (arrowsIn ? 0.0 : 2 * g.arrowSize()) + g.gap() + half;
    anchor = atFirst ? p1 - u * past : p2 + u * past;
  } else {
    // Over the dimension line, with a leader when DIMTMOVE is 1.
    anchor = mid(p1, p2) + perp(u) * (2 * g.arrowSize() + g.textHeight());
    if (dot(perp(u), away) < 0) anchor = mid(p1, p2) - perp(u) * (2 * g.arrowSize() + g.textHeight());
    leader = v.tmove == 1;
  }

  PlacedText placed;
  const bool overExtLine = !userText && textIn && (v.just == 3 || v.just == 4);
  if (overExtLine) {
    // Along the extension line, beyond the dimension line.
    const V e = unit(v.just == 3 ? p1 - in.x1 : p2 - in.x2, fallbackSide);
    const double r = readable(angleOf(e));
    placed.above = g.box(text.above, anchor, r);
    const V side = v.just == 3 ? u * -1 : u;
    placed.above.centre = anchor + e * (g.gap() + placed.above.width / 2) + side * (placed.above.height / 2 + g.gap());
  } else if (leader || (userText && v.tmove == 2)) {
    placed.above = g.box(text.above, anchor, rot);
    placed.below = g.box(text.below, anchor - perp(dir(rot)) * g.textHeight() * kLineSpacing, rot);
  } else {
    placed = placeText(g, text, anchor, u, rot, away);
  }

  if (userText && v.tmove == 0) {
    // The text stays where the user put it; the line goes where the text
    // placement rules want it relative to the text.
    const double across = dot(dim->textPosition() - placed.above.centre, perp(u));
    const V shift = perp(u) * across;
    // The ends slide along their extension lines.
    const V endShift = slanted ? w * (across / dot(w, perp(u))) : shift;
    p1 = p1 + endShift;
    p2 = p2 + endShift;
    anchor = anchor + shift;
    placed.above.centre = placed.above.centre + shift;
    placed.below.centre = placed.below.centre + shift;
  }

  // Extension lines, from near the feature to beyond the dimension line.
  const V e1 = unit(p1 - in.x1, fallbackSide), e2 = unit(p2 - in.x2, fallbackSide);
  auto extension = [&](const P& x, const P& p, const V& e, DimPart part) {
    P start = x + e * g.extOffset();
    const P end = p + e * g.extBeyond();
    if (v.fxlon) {
      const P fixedStart = p - e * (v.fxl * g.scale());
      if (dot(fixedStart - start, e) > 0) start = fixedStart;
    }
    if (dot(end - start, e) > 0) g.line(start, end, part);
  };
  if (!v.se1) extension(in.x1, p1, e1, DimPart::ExtensionLine1);
  if (!v.se2) extension(in.x2, p2, e2, DimPart::ExtensionLine2);

  // Dimension line.
  const double beyond = g.ticks() ? g.dimLineBeyond() : 0.0;
  const P q1 = p1 - u * beyond, q2 = p2 + u * beyond;
  const P m = mid(p1, p2);
  if (arrowsIn || v.tofl || g.ticks()) {
    if (!v.sd1) lineAroundText(g, q1, m, placed, DimPart::DimensionLine);
    if (!v.sd2) lineAroundText(g, m, q2, placed, DimPart::DimensionLine);
  }
  if (!textIn && !leader && !(userText && v.tmove == 2) && !text.empty()) {
    // The line reaches out under (or up to) the text standing outside.
    const double along = dot(placed.above.centre - p1, u);
    const double reach = placed.onLine ? half + g.gap() : -half;
    if (along > L) g.line(p2, p1 + u * (along - reach), DimPart::DimensionLine);
    else if (along < 0) g.line(p1, p1 + u * (along + reach), DimPart::DimensionLine);
  }
  if (leader && !text.empty()) {
    const P from = (userText ? anchor : m);
    const P to = placed.above.centre;
    const P start = userText ? p1 + u * std::clamp(dot(to - p1, u), 0.0, L) : from;
    const V back = unit(start - to);
    g.line(start, to + back * (placed.above.halfExtentAlong(angleOf(back)) + g.gap()), DimPart::DimensionLine);
  }

  // Arrows: inside pointing at the extension lines, outside pointing back
  // at them with a short tail, unless DIMSOXD suppresses outside arrows.
  if (arrowsIn) {
    if (!v.sd1) g.arrow(p1, u * -1, 1, u);
    if (!v.sd2) g.arrow(p2, u, 2, u);
  } else if (!v.soxd) {
    const double tail = 2 * g.arrowSize();
    if (!v.sd1) {
      g.arrow(p1, u, 1, u);
      g.line(p1, p1 - u * tail, DimPart::DimensionLine);
    }
    if (!v.sd2) {
      g.arrow(p2, u * -1, 2, u);
      g.line(p2, p2 + u * tail, DimPart::DimensionLine);
    }
  }
  emitText(g, text, placed);
  g.commit(placed.above.centre);
}

}  // namespace

void buildRotated(OdDbRotatedDimension* dim) {
  buildLinear(dim, {dim->xLine1Point(), dim->xLine2Point(), dim->dimLinePoint(), dim->rotation(), dim->oblique()});
}

void buildAligned(OdDbAlignedDimension* dim) {
  const V along = dim->xLine2Point() - dim->xLine1Point();
  buildLinear(dim, {dim->xLine1Point(), dim->xLine2Point(), dim->dimLinePoint(), angleOf(unit(along)), dim->oblique()});
}

}  // namespace render
