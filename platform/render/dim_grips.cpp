#include "dim_grips.h"

namespace render {

namespace {

// Where the line grip sits; nothing for kinds whose line follows the text.
std::optional<OdGePoint3d> linePlace(const OdDbDimension& d) {
  if (auto r = OdDbRotatedDimension::cast(&d)) return r->dimLinePoint();
  if (auto a = OdDbAlignedDimension::cast(&d)) return a->dimLinePoint();
  if (auto a = OdDb2LineAngularDimension::cast(&d)) return a->arcPoint();
  if (auto a = OdDb3PointAngularDimension::cast(&d)) return a->arcPoint();
  if (auto a = OdDbArcDimension::cast(&d)) return a->arcPoint();
  if (auto o = OdDbOrdinateDimension::cast(&d)) return o->leaderEndPoint();
  if (auto h = QrHugeRadius::cast(&d)) return h->jogPoint();
  return std::nullopt;
}

// An arc through the vertex or a leader ending on its feature draws nothing.
bool lineTakes(const OdDbDimension& d, const OdGePoint3d& to) {
  auto same = [](const OdGePoint3d& a, const OdGePoint3d& b) { return a.distanceTo(b) <= 1e-10 * (1 + a.distanceTo({})); };
  if (auto a = OdDb3PointAngularDimension::cast(&d)) return !same(to, a->centerPoint());
  if (auto a = OdDbArcDimension::cast(&d)) return !same(to, a->center());
  if (auto o = OdDbOrdinateDimension::cast(&d)) return !same(to, o->definingPoint());
  return true;
}

void moveLine(OdDbDimension& d, const OdGePoint3d& to) {
  if (auto r = OdDbRotatedDimension::cast(&d)) r->setDimLinePoint(to);
  else if (auto a = OdDbAlignedDimension::cast(&d)) a->setDimLinePoint(to);
  else if (auto a = OdDb2LineAngularDimension::cast(&d)) a->setArcPoint(to);
  else if (auto a = OdDb3PointAngularDimension::cast(&d)) a->setArcPoint(to);
  else if (auto a = OdDbArcDimension::cast(&d)) a->setArcPoint(to);
  else if (auto o = OdDbOrdinateDimension::cast(&d)) o->setLeaderEndPoint(to);
  else if (auto h = QrHugeRadius::cast(&d)) h->setJogPoint(to);
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
  for (const DimGripPlace& g : dimensionGrips(dimension)) {
    const double d = g.at.distanceTo(at);
    if (d <= best) {
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
    if (!from || !lineTakes(dimension, to)) return false;
    // Text put by hand goes along, keeping its place beside the line.
    if (!dimension.isUsingDefaultTextPosition()) dimension.setTextPosition(dimension.textPosition() + (to - *from));
    moveLine(dimension, to);
  }
  dimension.recomputeDimBlock();
  return true;
}

}  // namespace render
