// Radius, diameter and jogged large-radius dimensions: a line along a
// diameter or radius, arrows on the curve, the text inside the circle or
// outside it on a leader with a landing, and the centre mark.
#include <algorithm>
#include <numbers>

#include "OdDbDimension.h"
#include "dim_builders.h"

namespace render {
namespace {

using namespace g2;

// Text outside the curve: a leader from the arrow at `onCurve` to the text
// (a short horizontal landing before horizontal text), the arrow pointing
// back at the curve.
// Without a user position the text follows a leader two arrow sizes long
// along `outward` and a landing one arrow size long. Gives the centre used.
P textOutside(DimGeometry& g, const DimText& text, const P& onCurve, P textCentre, int arrowEnd,
              bool defaultPosition, const V& outward) {
  const OdDbDimVars& v = g.vars();
  const V out = defaultPosition ? outward : unit(textCentre - onCurve, outward);
  const double rotation = g.dimension()->textRotation() != 0.0 ? g.dimension()->textRotation()
                          : v.toh                              ? 0.0
                                                               : readable(angleOf(out));
  if (defaultPosition) {
    const V ux = dir(rotation);
    const double sx = dot(out, ux) >= 0 ? 1.0 : -1.0;
    const double halfW = std::max(g.box(text.above, P(), rotation).width, g.box(text.below, P(), rotation).width) / 2;
    const bool inLine = std::fabs(dot(out, perp(ux))) <= 1e-6;
    const P bend = onCurve + out * (2 * g.arrowSize());
    textCentre = inLine ? bend + ux * (sx * (g.gap() + halfW))
                        : bend + ux * (sx * (g.arrowSize() + g.gap() + halfW));
  }
  PlacedText placed;
  placed.above = g.box(text.above, textCentre, rotation);
  placed.below = g.box(text.below, textCentre, rotation);
  const V ux = dir(rotation);
  // The leader reaches the near end of the text's baseline side.
  const double sx = dot(out, ux) >= 0 ? 1.0 : -1.0;
  const double halfW = std::max(placed.above.width, placed.below.width) / 2;
  P landingEnd = textCentre - ux * (sx * (halfW + g.gap()));
  if (v.tad != 0 || !text.below.empty()) {
    // The landing runs under the text, which stands on it.
    const V up = perp(ux);
    placed.above.centre = textCentre + up * (placed.above.height / 2 + g.gap());
    placed.below.centre = textCentre - up * (placed.below.height / 2 + g.gap());
    landingEnd = textCentre - ux * (sx * (halfW + g.gap()));
    g.line(landingEnd, textCentre + ux * (sx * (halfW + g.gap())), DimPart::DimensionLine);
  }
  const P kink = landingEnd - ux * (sx * g.arrowSize());
  const bool landing = std::fabs(dot(out, perp(ux))) > 1e-6;  // text not already in line with the leader
  const P leaderEnd = landing ? kink : landingEnd;
  g.line(onCurve, leaderEnd, DimPart::DimensionLine);
  if (landing) g.line(kink, landingEnd, DimPart::DimensionLine);
  const V toCurve = unit(onCurve - leaderEnd, out * -1);
  g.arrow(onCurve, toCurve, arrowEnd, toCurve);
  emitText(g, text, placed);
  return textCentre;
}

// Text inside: across the line from `a` to `b` at `at`.
PlacedText textInside(DimGeometry& g, const DimText& text, const P& a, const P& b, const P& at) {
  const OdDbDimVars& v = g.vars();
  const V u = unit(b - a);
  const double rotation = g.dimension()->textRotation() != 0.0 ? g.dimension()->textRotation()
                          : v.tih                              ? 0.0
                                                               : readable(angleOf(u));
  const P anchor = a + u * dot(at - a, u);
  return placeText(g, text, anchor, u, rotation, perp(u));
}

double textLengthAlong(const DimGeometry& g, const DimText& t, const V& u) {
  if (t.empty()) return 0.0;
  return 2 * g.box(t.above, P(), g.vars().tih ? 0.0 : readable(angleOf(u))).halfExtentAlong(angleOf(u));
}

}  // namespace

// Text put by hand with the line following it (DIMTMOVE 0): the line turns
// about the centre to run through the text.
bool lineFollowsText(const OdDbDimension* dim, const DimGeometry& g, const P& c) {
  return !dim->isUsingDefaultTextPosition() && g.vars().tmove == 0 && c.distanceTo(dim->textPosition()) > 0;
}

void buildRadial(OdDbRadialDimension* dim) {
  DimGeometry g(dim);
  const P c = dim->center();
  const double r = c.distanceTo(dim->chordPoint());
  const P p = lineFollowsText(dim, g, c) ? c + unit(dim->textPosition() - c) * r : dim->chordPoint();
  const V out = unit(p - c);
  const DimText text = dimTextFor(g, dim->getMeasurement(), MeasureKind::Radius);
  P t;
  const bool user = !dim->isUsingDefaultTextPosition();
  if (user) t = dim->textPosition();
  else if (g.vars().tix && r > textLengthAlong(g, text, out) + 2 * g.arrowSize()) t = mid(c, p);
  else t = p + out * (2 * g.arrowSize() + g.gap() + textLengthAlong(g, text, out) / 2);
  if (c.distanceTo(t) > r) {
    t = textOutside(g, text, p, t, 1, !user, out);
    if (g.vars().tofl) g.line(c, p, DimPart::DimensionLine);  // the line inside too
    else g.centreMark(c, r);
  } else {
    const PlacedText placed = textInside(g, text, c, p, t);
    lineAroundText(g, c, p, placed, DimPart::DimensionLine);
    g.arrow(p, out, 1, out);
    emitText(g, text, placed);
  }
  g.commit(t);
}

void buildDiametric(OdDbDiametricDimension* dim) {
  DimGeometry g(dim);
  P p1 = dim->chordPoint(), p2 = dim->farChordPoint();
  const P c = mid(p1, p2);
  const double r = p1.distanceTo(p2) / 2;
  if (lineFollowsText(dim, g, c)) {
    // Turned the short way: each end keeps its side.
    V towards = unit(dim->textPosition() - c);
    if (dot(towards, p2 - p1) < 0) towards = towards * -1;
    p1 = c - towards * r;
    p2 = c + towards * r;
  }
  const V u = unit(p2 - p1);
  const DimText text = dimTextFor(g, dim->getMeasurement(), MeasureKind::Diameter);
  P t;
  const bool fits = 2 * r >= textLengthAlong(g, text, u) + 2 * g.gap() + 2 * g.arrowSize();
  const bool user = !dim->isUsingDefaultTextPosition();
  if (user) t = dim->textPosition();
  else if (fits || g.vars().tix) t = c;
  else t = p2 + u * (2 * g.arrowSize() + g.gap() + textLengthAlong(g, text, u) / 2);
  if (c.distanceTo(t) > r) {
    // Outside: from the chord point on the text's side.
    const bool nearFirst = p1.distanceTo(t) < p2.distanceTo(t);
    t = textOutside(g, text, nearFirst ? p1 : p2, t, nearFirst ? 1 : 2, !user, nearFirst ? u * -1 : u);
    if (g.vars().tofl) {
      // The line across the circle too, with the far arrow pointing out.
      g.line(p1, p2, DimPart::DimensionLine);
      if (nearFirst) g.arrow(p2, u, 2, u);
      else g.arrow(p1, u * -1, 1, u);
    } else {
      g.centreMark(c, r);
    }
  } else {
    const PlacedText placed = textInside(g, text, p1, p2, t);
    lineAroundText(g, p1, p2, placed, DimPart::DimensionLine);
    g.arrow(p1, u * -1, 1, u);
    g.arrow(p2, u, 2, u);
    emitText(g, text, placed);
  }
  g.commit(t);
}

void buildHugeRadius(QrHugeRadius* dim) {
  DimGeometry g(dim);
  const P c = dim->center(), p = dim->chordPoint(), oc = dim->overrideCenter(), j = dim->jogPoint();
  const V out = unit(p - c);
  const DimText text = dimTextFor(g, dim->getMeasurement(), MeasureKind::Radius);
  // The line runs from the shown centre parallel to the true radius, turns
  // back across to the radius at the jog angle (a Z: both turns make that
  // angle), meeting it where the jog location falls on it, and goes on along
  // the radius to the arrow on the curve.
  const P onRadius = c + out * dot(j - c, out);
  // The style's jog angle (per-entity overrides included) is what users
  // edit; the entity's own angle stands in when the variable is unusable.
  const double styleJog = g.vars().jogang;
  const bool usable = styleJog >= 5 * std::numbers::pi / 180 - 1e-12 && styleJog <= std::numbers::pi / 2 + 1e-12;
  const double jog = usable ? styleJog : dim->jogAngle();
  const double offset = dot(oc - c, perp(out));  // left of the radius: positive
  P bend;
  if (std::fabs(offset) > 1e-9 * (1 + len(p - c) + len(oc - c))) {
    bend = onRadius + rotated(out, offset > 0 ? jog : -jog) * (std::fabs(offset) / std::sin(jog));
  } else {
    // A shown centre on the radius itself: a jog of its own size still
    // tells that the line is shortened.
    bend = onRadius + rotated(out, jog) * (2 * g.arrowSize());
  }
  P t = dim->isUsingDefaultTextPosition() ? mid(p, onRadius) : dim->textPosition();
  const PlacedText placed = textInside(g, text, onRadius, p, t);
  lineAroundText(g, onRadius, p, placed, DimPart::DimensionLine);
  g.line(onRadius, bend, DimPart::DimensionLine);
  g.line(bend, oc, DimPart::DimensionLine);
  g.arrow(p, out, 1, out);
  g.centreMark(oc, 0.0);
  emitText(g, text, placed);
  g.commit(t);
}

}  // namespace render
