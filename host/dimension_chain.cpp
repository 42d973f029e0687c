#include "dimension_chain.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

#include "drafting_input.h"

namespace qrvhost {

namespace {

constexpr double kTurn = 2 * std::numbers::pi;

double angleOf(const OdGeVector3d& v) { return std::atan2(v.y, v.x); }
OdGeVector3d direction(double angle) { return {std::cos(angle), std::sin(angle), 0.0}; }
// Counter-clockwise from a to b, in [0, 2 pi).
double ccwSweep(double a, double b) {
  const double s = std::fmod(b - a, kTurn);
  return s < 0 ? s + kTurn : s;
}
double dot(const OdGeVector3d& a, const OdGeVector3d& b) { return a.x * b.x + a.y * b.y; }

// A linear dimension as the chain sees it: its origins, its dimension line
// and the direction it measures along.
struct Linear {
  OdGePoint3d first, second, line;
  OdGeVector3d along;
  bool aligned = false;
  double rotation = 0.0;
};

std::optional<Linear> linearOf(const OdDbDimension& d) {
  if (auto r = OdDbRotatedDimension::cast(&d))
    return Linear{r->xLine1Point(), r->xLine2Point(), r->dimLinePoint(), direction(r->rotation()), false,
                  r->rotation()};
  if (auto a = OdDbAlignedDimension::cast(&d)) {
    OdGeVector3d along = a->xLine2Point() - a->xLine1Point();
    along = along.length() > 0 ? along * (1.0 / along.length()) : direction(0.0);
    return Linear{a->xLine1Point(), a->xLine2Point(), a->dimLinePoint(), along, true, 0.0};
  }
  return std::nullopt;
}

// An angular dimension as rays from its vertex: the first and second
// extension line origins, the way round from first to second, and the
// radius of its arc.
struct Angular {
  OdGePoint3d vertex, first, second;
  bool counterClockwise = true;
  double radius = 0.0;
};

std::optional<Angular> angularOf(const OdDbDimension& d) {
  if (auto a = OdDb3PointAngularDimension::cast(&d)) {
    Angular out{a->centerPoint(), a->xLine1Point(), a->xLine2Point(), true, a->arcPoint().distanceTo(a->centerPoint())};
    const double a1 = angleOf(out.first - out.vertex);
    const double toArc = ccwSweep(a1, angleOf(a->arcPoint() - out.vertex));
    out.counterClockwise = toArc <= ccwSweep(a1, angleOf(out.second - out.vertex));
    return out;
  }
  auto a = OdDb2LineAngularDimension::cast(&d);
  if (!a) return std::nullopt;
  const OdGeVector3d d1 = a->xLine1End() - a->xLine1Start(), d2 = a->xLine2End() - a->xLine2Start();
  const double cross = d1.x * d2.y - d1.y * d2.x;
  if (std::fabs(cross) <= 1e-12 * d1.length() * d2.length()) return std::nullopt;
  const OdGeVector3d w = a->xLine2Start() - a->xLine1Start();
  const OdGePoint3d vertex = a->xLine1Start() + d1 * ((w.x * d2.y - w.y * d2.x) / cross);
  // The sector holding the arc point lies between one ray of each line.
  const double through = angleOf(a->arcPoint() - vertex);
  struct Ray {
    double angle;
    bool firstLine;
  };
  const double a1 = angleOf(d1), a2 = angleOf(d2);
  const Ray rays[] = {{a1, true}, {a1 + std::numbers::pi, true}, {a2, false}, {a2 + std::numbers::pi, false}};
  const Ray* behind = &rays[0];
  const Ray* ahead = &rays[0];
  for (const Ray& r : rays) {
    if (ccwSweep(r.angle, through) < ccwSweep(behind->angle, through)) behind = &r;
    if (ccwSweep(through, r.angle) < ccwSweep(through, ahead->angle)) ahead = &r;
  }
  const Ray& firstRay = behind->firstLine ? *behind : *ahead;
  const Ray& secondRay = behind->firstLine ? *ahead : *behind;
  // The origins lie on the rays as far out as the lines reach.
  auto reach = [&](const OdGePoint3d& s, const OdGePoint3d& e) {
    return std::max({s.distanceTo(vertex), e.distanceTo(vertex), 1e-9});
  };
  Angular out;
  out.vertex = vertex;
  out.first = vertex + direction(firstRay.angle) * reach(a->xLine1Start(), a->xLine1End());
  out.second = vertex + direction(secondRay.angle) * reach(a->xLine2Start(), a->xLine2End());
  out.counterClockwise = behind->firstLine;
  out.radius = a->arcPoint().distanceTo(vertex);
  return out;
}

OdDbDimensionPtr nextLinear(ChainMode mode, const Linear& base, const Linear& previous, const OdGePoint3d& point,
                            double spacing) {
  const OdGePoint3d first = mode == ChainMode::kBaseline ? base.first : previous.second;
  if (samePoint(first, point)) return OdDbDimensionPtr();
  const OdGeVector3d across(-base.along.y, base.along.x, 0.0);
  double offset = dot(previous.line - point, across);
  if (mode == ChainMode::kBaseline) {
    const double side = dot(previous.line - base.first, across) < 0 ? -1.0 : 1.0;
    offset += side * spacing;
  }
  const OdGePoint3d line = point + across * offset;
  if (base.aligned) {
    OdDbAlignedDimensionPtr d = OdDbAlignedDimension::createObject();
    d->setXLine1Point(first);
    d->setXLine2Point(point);
    d->setDimLinePoint(line);
    return d;
  }
  OdDbRotatedDimensionPtr d = OdDbRotatedDimension::createObject();
  d->setXLine1Point(first);
  d->setXLine2Point(point);
  d->setDimLinePoint(line);
  d->setRotation(base.rotation);
  return d;
}

OdDbDimensionPtr nextAngular(ChainMode mode, const Angular& base, const Angular& previous, const OdGePoint3d& point,
                             double spacing) {
  const Angular& from = mode == ChainMode::kBaseline ? base : previous;
  const OdGePoint3d first = mode == ChainMode::kBaseline ? base.first : previous.second;
  const double a1 = angleOf(first - from.vertex);
  const double sweep = from.counterClockwise ? ccwSweep(a1, angleOf(point - from.vertex))
                                             : ccwSweep(angleOf(point - from.vertex), a1);
  if (samePoint(point, from.vertex) || sweep <= 1e-10 || sweep >= kTurn - 1e-10) return OdDbDimensionPtr();
  const double radius = previous.radius + (mode == ChainMode::kBaseline ? spacing : 0.0);
  const double middle = a1 + (from.counterClockwise ? sweep : -sweep) / 2;
  OdDb3PointAngularDimensionPtr d = OdDb3PointAngularDimension::createObject();
  d->setCenterPoint(from.vertex);
  d->setXLine1Point(first);
  d->setXLine2Point(point);
  d->setArcPoint(from.vertex + direction(middle) * radius);
  return d;
}

// Ordinates measure from the same origin along the same axis; the leader
// ends level with the previous one's.
OdDbDimensionPtr nextOrdinate(const OdDbOrdinateDimension& previous, const OdGePoint3d& point) {
  const OdGeVector3d leader = previous.leaderEndPoint() - previous.definingPoint();
  const OdGePoint3d end = previous.isUsingXAxis()
                              ? OdGePoint3d(point.x + leader.x, previous.leaderEndPoint().y, point.z)
                              : OdGePoint3d(previous.leaderEndPoint().x, point.y + leader.y, point.z);
  if (samePoint(end, point)) return OdDbDimensionPtr();
  OdDbOrdinateDimensionPtr d = OdDbOrdinateDimension::createObject();
  d->setOrigin(previous.origin());
  d->setDefiningPoint(point);
  d->setLeaderEndPoint(end);
  if (previous.isUsingXAxis())
    d->useXAxis();
  else
    d->useYAxis();
  return d;
}

}  // namespace

bool isOrdinate(const OdDbDimension& dimension) { return OdDbOrdinateDimension::cast(&dimension) != nullptr; }

bool canChainFrom(const OdDbEntity& entity) {
  auto d = OdDbDimension::cast(&entity);
  return d && (linearOf(*d) || angularOf(*d) || isOrdinate(*d));
}

OdDbDimensionPtr nextInChain(ChainMode mode, const OdDbDimension& base, const OdDbDimension& previous,
                             const OdGePoint3d& point, double spacing) {
  if (auto b = linearOf(base)) {
    if (auto p = linearOf(previous)) return nextLinear(mode, *b, *p, point, spacing);
  } else if (auto b = angularOf(base)) {
    if (auto p = angularOf(previous)) return nextAngular(mode, *b, *p, point, spacing);
  } else if (auto p = OdDbOrdinateDimension::cast(&previous)) {
    return nextOrdinate(*p, point);
  }
  return OdDbDimensionPtr();
}

OdGePoint3d chainStart(ChainMode mode, const OdDbDimension& base, const OdDbDimension& previous) {
  if (auto l = linearOf(mode == ChainMode::kBaseline ? base : previous))
    return mode == ChainMode::kBaseline ? l->first : l->second;
  if (auto a = angularOf(previous)) return a->vertex;
  if (auto o = OdDbOrdinateDimension::cast(&previous)) return o->definingPoint();
  return OdGePoint3d();
}

}  // namespace qrvhost
