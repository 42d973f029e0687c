// Angular and arc length dimensions: an arc about the vertex (or the arc's
// centre) between the two extension lines, arrows tangent to it, the text
// at its middle or where the user put it.
#include <algorithm>
#include <optional>

#include "OdDbDimension.h"
#include "dim_builders.h"

namespace render {
namespace {

using namespace g2;

struct ArcInput {
  P centre;
  double start = 0, span = 0, radius = 0;
  // Where each extension line starts along its ray: the nearest and the
  // farthest distance of the feature from the centre.
  double near1 = 0, far1 = 0, near2 = 0, far2 = 0;
  bool firstAtStart = true;  // extension line 1 lies on the start ray
  MeasureKind kind = MeasureKind::Angular;
  double measured = 0;
};

// An extension line along the ray at `angle` from the feature (between near
// and far) to the arc.
void radialExtension(DimGeometry& g, const P& c, double angle, double nearD, double farD, double R, DimPart part) {
  const V e = dir(angle);
  if (R > farD) g.line(c + e * (farD + g.extOffset()), c + e * (R + g.extBeyond()), part);
  else if (R < nearD) g.line(c + e * (nearD - g.extOffset()), c + e * std::max(0.0, R - g.extBeyond()), part);
}

// The arc from a0 to a1 (counter-clockwise) leaving out what the text covers.
void arcAroundText(DimGeometry& g, const P& c, double R, double a0, double a1, const PlacedText& p) {
  if (p.onLine && p.above.width > 0 && R > 0) {
    const double m = angleOf(p.above.centre - c);
    const double half = (p.above.halfExtentAlong(m + std::numbers::pi / 2) + g.gap()) / R;
    const double span = sweep(a0, a1), at = sweep(a0, m);
    if (at - half > 0 && at + half < span) {
      g.arc(c, R, a0, a0 + at - half, DimPart::DimensionLine);
      g.arc(c, R, a0 + at + half, a1, DimPart::DimensionLine);
      return;
    }
  }
  g.arc(c, R, a0, a1, DimPart::DimensionLine);
}

void buildArcDimension(OdDbDimension* dim, DimGeometry& g, const ArcInput& in) {
  const OdDbDimVars& v = g.vars();
  const P c = in.centre;
  const DimText text = dimTextFor(g, in.measured, in.kind);
  const bool userText = !dim->isUsingDefaultTextPosition();
  auto rotationAt = [&](double angle) {
    return dim->textRotation() != 0.0 ? dim->textRotation()
           : (v.tih && v.tad != 3)    ? 0.0
                                      : readable(angleOf(perp(dir(angle))));
  };
  double R = in.radius;
  // Text moved by hand with the line following it (DIMTMOVE 0): the arc
  // runs where the placement rules put it relative to the text, the text
  // staying where it was put.
  const bool lineFollows = userText && v.tmove == 0 && c.distanceTo(dim->textPosition()) > 0;
  if (lineFollows) {
    const P t = dim->textPosition();
    const double at = angleOf(t - c), rt = c.distanceTo(t);
    const PlacedText probe = placeText(g, text, t, perp(dir(at)), rotationAt(at), dir(at));
    const double r = rt + dot(t - probe.above.centre, dir(at));
    if (r > 0) R = r;
  }
  const double a0 = in.start, a1 = in.start + in.span;
  const double firstAngle = in.firstAtStart ? a0 : a1, secondAngle = in.firstAtStart ? a1 : a0;
  if (!v.se1) radialExtension(g, c, firstAngle, in.near1, in.far1, R, DimPart::ExtensionLine1);
  if (!v.se2) radialExtension(g, c, secondAngle, in.near2, in.far2, R, DimPart::ExtensionLine2);

  double m = a0 + in.span / 2;
  P anchor = c + dir(m) * R;
  if (userText) {
    anchor = dim->textPosition();
    m = angleOf(anchor - c);
  }
  const V tangent = perp(dir(m));
  const double rotation = rotationAt(m);
  PlacedText placed;
  const bool onArc = lineFollows || !userText || std::fabs(c.distanceTo(anchor) - R) <= g.textHeight();
  if (!onArc) {
    placed.above = g.box(text.above, anchor, rotation);
    placed.below = g.box(text.below, anchor - perp(dir(rotation)) * (g.textHeight() * kLineSpacing), rotation);
  } else {
    placed = placeText(g, text, c + dir(m) * R, tangent, rotation, dir(m));
  }

  // Arrows fit when the arc is long enough for them (and the text across it).
  const double textLength = text.empty() ? 0.0 : 2 * placed.above.halfExtentAlong(angleOf(tangent));
  const double need = 2 * (g.ticks() ? 0.0 : g.arrowSize()) + (placed.onLine ? textLength + 2 * g.gap() : 0.0);
  const bool arrowsIn = g.ticks() || in.span * R >= need || v.tix;

  // The arc, reaching out to text placed beyond its ends.
  double from = a0, to = a1;
  if (userText && sweep(a0, m) > in.span) {
    // Up to the text standing on the arc beyond an end (under it when it
    // stands beside the arc), never through it; to free text's middle.
    double reach = 0;
    if (onArc && placed.above.width > 0) {
      const double half = placed.above.halfExtentAlong(m + std::numbers::pi / 2) / R;
      reach = placed.onLine ? half + g.gap() / R : -half;
    }
    if (sweep(a1, m) < sweep(m, a0)) to = a1 + std::max(0.0, sweep(a1, m) - reach);
    else from = a0 - std::max(0.0, sweep(m, a0) - reach);
  }
  if (arrowsIn || v.tofl) arcAroundText(g, c, R, from, to, placed);
  const V startOut(std::sin(a0), -std::cos(a0), 0), endOut(-std::sin(a1), std::cos(a1), 0);
  const P startPt = c + dir(a0) * R, endPt = c + dir(a1) * R;
  const int startEnd = in.firstAtStart ? 1 : 2, endEnd = in.firstAtStart ? 2 : 1;
  const bool sdStart = in.firstAtStart ? v.sd1 : v.sd2, sdEnd = in.firstAtStart ? v.sd2 : v.sd1;
  if (arrowsIn) {
    if (!sdStart) g.arrow(startPt, startOut, startEnd, startOut);
    if (!sdEnd) g.arrow(endPt, endOut, endEnd, endOut);
  } else if (!v.soxd) {
    const double tail = 2 * g.arrowSize();
    if (!sdStart) {
      g.arrow(startPt, startOut * -1, startEnd, startOut);
      g.line(startPt, startPt + startOut * tail, DimPart::DimensionLine);
    }
    if (!sdEnd) {
      g.arrow(endPt, endOut * -1, endEnd, endOut);
      g.line(endPt, endPt + endOut * tail, DimPart::DimensionLine);
    }
  }
  if (in.kind == MeasureKind::ArcLength && v.arcsym == 1 && !text.empty()) {
    // The arc symbol above the text.
    const DimTextBox& b = placed.above;
    const V up = perp(dir(b.rotation));
    const double r = 0.6 * g.textHeight();
    const P sc = b.centre + up * (b.height / 2 + g.gap() + 0.3 * g.textHeight() - r * 0.5);
    g.arc(sc, r, b.rotation + std::numbers::pi / 6, b.rotation + 5 * std::numbers::pi / 6, DimPart::Text);
  }
  emitText(g, text, placed);
  g.commit(placed.above.centre);
}

// The arc from the feature at a1 to the one at a2 that passes the angle of
// `through` (when given), as start and span.
std::pair<double, double> arcThrough(double a1, double a2, std::optional<double> through, bool& firstAtStart) {
  double span = sweep(a1, a2);
  firstAtStart = true;
  if (through && sweep(a1, *through) > span) {
    firstAtStart = false;
    return {a2, 2 * std::numbers::pi - span};
  }
  return {a1, span};
}

std::optional<P> intersect(const P& a, const V& da, const P& b, const V& db) {
  const double den = cross(da, db);
  if (std::fabs(den) < 1e-12) return std::nullopt;
  const double t = cross(b - a, db) / den;
  return a + da * t;
}

}  // namespace

void build3PointAngular(OdDb3PointAngularDimension* dim) {
  DimGeometry g(dim);
  ArcInput in;
  in.centre = dim->centerPoint();
  const P x1 = dim->xLine1Point(), x2 = dim->xLine2Point(), ap = dim->arcPoint();
  const bool hasArcPoint = ap != P();
  in.radius = hasArcPoint ? ap.distanceTo(in.centre) : std::min(x1.distanceTo(in.centre), x2.distanceTo(in.centre));
  const double a1 = angleOf(x1 - in.centre), a2 = angleOf(x2 - in.centre);
  std::optional<double> through;
  if (hasArcPoint) through = angleOf(ap - in.centre);
  std::tie(in.start, in.span) = arcThrough(a1, a2, through, in.firstAtStart);
  in.near1 = in.far1 = x1.distanceTo(in.centre);
  in.near2 = in.far2 = x2.distanceTo(in.centre);
  in.measured = in.span;
  buildArcDimension(dim, g, in);
}

void build2LineAngular(OdDb2LineAngularDimension* dim) {
  DimGeometry g(dim);
  const P s1 = dim->xLine1Start(), e1 = dim->xLine1End(), s2 = dim->xLine2Start(), e2 = dim->xLine2End();
  const P ap = dim->arcPoint();
  const V d1 = unit(e1 - s1), d2 = unit(e2 - s2);
  const auto c = intersect(s1, d1, s2, d2);
  if (!c) {
    // Parallel lines make no angle: only the text shows, at the arc point.
    const DimText text = dimTextFor(g, dim->getMeasurement(), MeasureKind::Angular);
    PlacedText placed;
    placed.above = g.box(text.above, ap, 0.0);
    emitText(g, text, placed);
    g.commit(ap);
    return;
  }
  ArcInput in;
  in.centre = *c;
  in.radius = ap.distanceTo(*c);
  const double through = angleOf(ap - *c);
  // The sector between the lines' rays that holds the arc point.
  double best1 = angleOf(d1), best2 = angleOf(d2);
  for (double r1 : {angleOf(d1), angleOf(d1 * -1)})
    for (double r2 : {angleOf(d2), angleOf(d2 * -1)}) {
      const double s = sweep(r1, r2);
      if (s <= std::numbers::pi && sweep(r1, through) <= s) best1 = r1, best2 = r2;
      if (sweep(r2, r1) <= std::numbers::pi && sweep(r2, through) <= sweep(r2, r1)) best1 = r1, best2 = r2;
    }
  std::tie(in.start, in.span) = arcThrough(best1, best2, through, in.firstAtStart);
  auto range = [&](const P& a, const P& b, double angle, double& nearD, double& farD) {
    const V e = dir(angle);
    const double ta = dot(a - *c, e), tb = dot(b - *c, e);
    nearD = std::max(0.0, std::min(ta, tb));
    farD = std::max(0.0, std::max(ta, tb));
  };
  range(s1, e1, best1, in.near1, in.far1);
  range(s2, e2, best2, in.near2, in.far2);
  in.measured = in.span;
  buildArcDimension(dim, g, in);
}

void buildArcLength(OdDbArcDimension* dim) {
  DimGeometry g(dim);
  ArcInput in;
  in.kind = MeasureKind::ArcLength;
  in.centre = dim->center();
  const P x1 = dim->xLine1Point(), x2 = dim->xLine2Point(), ap = dim->arcPoint();
  in.radius = ap.distanceTo(in.centre);
  std::tie(in.start, in.span) = arcThrough(angleOf(x1 - in.centre), angleOf(x2 - in.centre),
                                           angleOf(ap - in.centre), in.firstAtStart);
  in.near1 = in.far1 = x1.distanceTo(in.centre);
  in.near2 = in.far2 = x2.distanceTo(in.centre);
  in.measured = dim->getMeasurement();
  if (dim->hasLeader()) {
    // The leader from the dimension arc to the measured arc.
    const P l1 = dim->leader1Point(), l2 = dim->leader2Point();
    g.line(l2, l1, DimPart::DimensionLine);
    g.arrow(l1, unit(l1 - l2), 1, unit(l1 - l2));
  }
  buildArcDimension(dim, g, in);
}

}  // namespace render
