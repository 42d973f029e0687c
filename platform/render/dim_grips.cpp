#include "dim_grips.h"

#include <cmath>

namespace render {

namespace {

bool samePlace(const OdGePoint3d& a, const OdGePoint3d& b) {
  return a.distanceTo(b) <= 1e-10 * (1 + a.distanceTo(OdGePoint3d()));
}

OdGeVector3d unitOr(const OdGeVector3d& v, const OdGeVector3d& fallback) {
  const double n = v.length();
  return n > 0 ? v * (1.0 / n) : fallback;
}

// A linear dimension's line: the point it runs through (text put by hand
// carries the line when the text moves the line) and the direction across it.
struct LinearLine {
  OdGePoint3d through, second;
  OdGeVector3d across;
};

std::optional<LinearLine> linearLine(const OdDbDimension& d) {
  OdGePoint3d first, second, line;
  OdGeVector3d along;
  if (auto r = OdDbRotatedDimension::cast(&d)) {
    first = r->xLine1Point(), second = r->xLine2Point(), line = r->dimLinePoint();
    along = OdGeVector3d(std::cos(r->rotation()), std::sin(r->rotation()), 0);
  } else if (auto a = OdDbAlignedDimension::cast(&d)) {
    first = a->xLine1Point(), second = a->xLine2Point(), line = a->dimLinePoint();
    along = unitOr(second - first, OdGeVector3d(1, 0, 0));
  } else {
    return std::nullopt;
  }
  if (!d.isUsingDefaultTextPosition() && d.dimtmove() == 0) line = d.textPosition();
  return LinearLine{line, second, OdGeVector3d(-along.y, along.x, 0)};
}

// An arc about a centre through arcPoint, ending on the second extension
// line: angles and arc lengths.
struct ArcLine {
  OdGePoint3d centre, arcPoint, secondEnd;
};

std::optional<ArcLine> arcLine(const OdDbDimension& d) {
  if (auto a = OdDb3PointAngularDimension::cast(&d)) return ArcLine{a->centerPoint(), a->arcPoint(), a->xLine2Point()};
  if (auto a = OdDbArcDimension::cast(&d)) return ArcLine{a->center(), a->arcPoint(), a->xLine2Point()};
  return std::nullopt;
}

// Where the line grip sits: where the dimension line meets the second
// extension line (apart from the text, which sits in the middle by
// default); nothing for kinds whose line follows the text.
std::optional<OdGePoint3d> linePlace(const OdDbDimension& d) {
  if (auto l = linearLine(d)) {
    const OdGeVector3d off = l->through - l->second;
    return l->second + l->across * (off.x * l->across.x + off.y * l->across.y);
  }
  if (auto a = arcLine(d)) {
    // Text put by hand carries the arc with it (DIMTMOVE 0): it runs at the
    // text's radius.
    const bool followsText = !d.isUsingDefaultTextPosition() && d.dimtmove() == 0;
    const double r = a->centre.distanceTo(followsText ? d.textPosition() : a->arcPoint);
    return a->centre + unitOr(a->secondEnd - a->centre, OdGeVector3d(1, 0, 0)) * r;
  }
  if (auto a = OdDb2LineAngularDimension::cast(&d)) return a->arcPoint();
  if (auto o = OdDbOrdinateDimension::cast(&d)) return o->leaderEndPoint();
  if (auto h = QrHugeRadius::cast(&d)) return h->jogPoint();
  return std::nullopt;
}

// Moves the line through `to`; false when that draws nothing (an arc
// through its centre, a leader ending on its feature).
bool moveLine(OdDbDimension& d, const OdGePoint3d& from, const OdGePoint3d& to) {
  if (auto a = arcLine(d)) {
    // Only the radius changes: the arc stays on its side of the angle.
    if (samePlace(to, a->centre)) return false;
    const OdGePoint3d arcPoint =
        a->centre + unitOr(a->arcPoint - a->centre, OdGeVector3d(1, 0, 0)) * a->centre.distanceTo(to);
    if (auto angle = OdDb3PointAngularDimension::cast(&d)) angle->setArcPoint(arcPoint);
    else OdDbArcDimension::cast(&d)->setArcPoint(arcPoint);
    // Text put by hand keeps its place beside the arc: it moves out or in
    // by as much as the arc.
    if (!d.isUsingDefaultTextPosition()) {
      const OdGePoint3d t = d.textPosition();
      const double r = a->centre.distanceTo(t) + a->centre.distanceTo(to) - a->centre.distanceTo(from);
      if (r > 0) d.setTextPosition(a->centre + unitOr(t - a->centre, OdGeVector3d(1, 0, 0)) * r);
    }
    return true;
  } else if (auto o = OdDbOrdinateDimension::cast(&d)) {
    if (samePlace(to, o->definingPoint())) return false;
    o->setLeaderEndPoint(to);
  } else if (auto r = OdDbRotatedDimension::cast(&d)) {
    r->setDimLinePoint(to);
  } else if (auto a = OdDbAlignedDimension::cast(&d)) {
    a->setDimLinePoint(to);
  } else if (auto a = OdDb2LineAngularDimension::cast(&d)) {
    a->setArcPoint(to);
  } else if (auto h = QrHugeRadius::cast(&d)) {
    h->setJogPoint(to);
  } else {
    return false;
  }
  // Text put by hand goes along, keeping its place beside the line.
  if (!d.isUsingDefaultTextPosition()) d.setTextPosition(d.textPosition() + (to - from));
  return true;
}

}  // namespace

std::vector<DimGripPlace> dimensionGrips(const OdDbDimension& dimension) {
  std::vector<DimGripPlace> grips{{DimGrip::kText, dimension.textPosition()}};
  if (auto line = linePlace(dimension)) grips.push_back({DimGrip::kLine, *line});
  return grips;
}

std::optional<DimGrip> gripNear(const OdDbDimension& dimension, const OdGePoint3d& at, double tolerance) {
  std::optional<DimGrip> nearest;
  double best = tolerance;
  // On a tie the text's grip, listed first, wins.
  for (const DimGripPlace& g : dimensionGrips(dimension)) {
    const double d = g.at.distanceTo(at);
    if (d < best || (!nearest && d <= best)) {
      best = d;
      nearest = g.grip;
    }
  }
  return nearest;
}

bool dragGrip(OdDbDimension& dimension, DimGrip grip, const OdGePoint3d& to) {
  if (grip == DimGrip::kText) {
    dimension.setTextPosition(to);
  } else {
    const std::optional<OdGePoint3d> from = linePlace(dimension);
    if (!from || !moveLine(dimension, *from, to)) return false;
  }
  dimension.recomputeDimBlock();
  return true;
}

}  // namespace render
