#include "OdDbTransform.h"

#include <cmath>
#include <numbers>

#include "OdDbCurves.h"
#include "OdDbDimension.h"
#include "OdDbEntities.h"
#include "OdDbEntityKinds.h"
#include "OdDbFaces.h"
#include "OdDbLeader.h"

namespace {

using PointMap = std::function<OdGePoint3d(const OdGePoint3d&)>;

double dot(const OdGeVector3d& a, const OdGeVector3d& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
OdGeVector3d cross(const OdGeVector3d& a, const OdGeVector3d& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
// Divides rather than multiplies by the inverse, so that a scaled unit
// vector comes back exactly unit.
OdGeVector3d unit(const OdGeVector3d& v) {
  const double l = v.length();
  return l > 0 ? OdGeVector3d(v.x / l, v.y / l, v.z / l) : OdGeVector3d::kZAxis();
}
OdGeVector3d asVector(const OdGePoint3d& p) { return {p.x, p.y, p.z}; }

// Every value carried is checked: a move or scale beyond the range of
// numbers is refused (and the command taken back) rather than leaving
// coordinates no file can hold.
double checkedFinite(double v) {
  if (!std::isfinite(v)) throw OdError(eInvalidInput, "the result would lie beyond the range of numbers");
  return v;
}
OdGePoint3d checkedFinite(const OdGePoint3d& p) { return {checkedFinite(p.x), checkedFinite(p.y), checkedFinite(p.z)}; }
OdGeVector3d checkedFinite(const OdGeVector3d& v) { return {checkedFinite(v.x), checkedFinite(v.y), checkedFinite(v.z)}; }
OdGePoint3d put(const OdGeMatrix3d& m, const OdGePoint3d& p) { return checkedFinite(m.apply(p)); }
OdGeVector3d put(const OdGeMatrix3d& m, const OdGeVector3d& v) { return checkedFinite(m.apply(v)); }

// The plane an entity gives its points in: its axes by the arbitrary axis
// rule of the file format (x is world y, or near the poles world z,
// crossed with the normal).
struct Plane {
  OdGeVector3d ax, ay, n;
  explicit Plane(const OdGeVector3d& normal) : n(unit(normal)) {
    const bool nearPole = std::fabs(n.x) < 1.0 / 64 && std::fabs(n.y) < 1.0 / 64;
    ax = unit(cross(nearPole ? OdGeVector3d(0, 1, 0) : OdGeVector3d(0, 0, 1), n));
    ay = cross(n, ax);
  }
  OdGePoint3d toWorld(const OdGePoint3d& p) const {
    const OdGeVector3d w = ax * p.x + ay * p.y + n * p.z;
    return {w.x, w.y, w.z};
  }
  OdGePoint3d fromWorld(const OdGePoint3d& p) const {
    const OdGeVector3d v = asVector(p);
    return {dot(v, ax), dot(v, ay), dot(v, n)};
  }
  OdGeVector3d direction(double angle) const { return ax * std::cos(angle) + ay * std::sin(angle); }
  double angleOf(const OdGeVector3d& v) const { return std::atan2(dot(v, ay), dot(v, ax)); }
};

// A map seen from an entity's plane: where its points, angles and normal go.
struct PlaneMap {
  const OdGeMatrix3d& map;
  Plane from, to;
  bool mirrors;
  PlaneMap(const OdGeMatrix3d& m, const OdGeVector3d& normal)
      : map(m), from(normal), to(m.apply(unit(normal))), mirrors(m.det() < 0) {}
  OdGePoint3d point(const OdGePoint3d& p) const { return checkedFinite(to.fromWorld(put(map, from.toWorld(p)))); }
  double angle(double a) const { return to.angleOf(put(map, from.direction(a))); }
};

// Of a direction and its reverse, the one text reads along: rightwards, or
// upwards when it runs straight up or down. True in `reversed` when that
// is the reverse.
double readableAngle(double angle, bool& reversed) {
  const double c = std::cos(angle), s = std::sin(angle);
  reversed = c < -1e-9 || (std::fabs(c) <= 1e-9 && s < 0);
  return reversed ? angle + std::numbers::pi : angle;
}

double scaleOf(const OdGeMatrix3d& map) { return map.uniformScale().value_or(1.0); }

void transformText(OdDbText& t, const OdGeMatrix3d& map, bool mirrorText) {
  const PlaneMap pm(map, t.normal());
  const double s = scaleOf(map);
  OdGePoint3d position = pm.point(t.position()), alignment = pm.point(t.alignmentPoint());
  double rotation = pm.angle(t.rotation());
  OdInt16 h = t.horizontalMode();
  if (pm.mirrors && mirrorText) {
    // The mirror image: the same direction, the glyphs turned over their
    // baseline.
    t.setGenerationFlags(static_cast<OdInt16>(t.generationFlags() ^ 4));
  } else if (pm.mirrors) {
    bool reversed = false;
    rotation = readableAngle(rotation, reversed);
    if (reversed) {
      // Read the other way, the text keeps its place by its other end.
      if (h == 3 || h == 5) std::swap(position, alignment);
      const bool byPosition = h == 0 && t.verticalMode() == 0;
      const OdGePoint3d anchor = byPosition ? position : alignment;
      if (h == 0 || h == 2) h = static_cast<OdInt16>(2 - h);
      if (h == 0 && t.verticalMode() == 0) position = anchor;
      else alignment = anchor;
    }
  }
  t.setNormal(pm.to.n);
  t.setPosition(position);
  t.setAlignmentPoint(alignment);
  t.setHorizontalMode(h);
  t.setRotation(rotation);
  t.setHeight(checkedFinite(t.height() * s));
}

void transformMText(OdDbMText& t, const OdGeMatrix3d& map) {
  const PlaneMap pm(map, OdGeVector3d::kZAxis());
  const double s = scaleOf(map);
  double rotation = pm.angle(t.rotation());
  if (pm.mirrors) {
    bool reversed = false;
    rotation = readableAngle(rotation, reversed);
    const int column = (t.attachment() - 1) % 3;
    if (reversed && column != 1) t.setAttachment(static_cast<OdInt16>(t.attachment() + (column == 0 ? 2 : -2)));
  }
  t.setLocation(put(map, t.location()));
  t.setRotation(rotation);
  t.setTextHeight(checkedFinite(t.textHeight() * s));
  t.setWidth(checkedFinite(t.width() * s));
}

void transformInsert(OdDbBlockReference& b, const OdGeMatrix3d& map) {
  const PlaneMap pm(map, b.normal());
  const double s = scaleOf(map);
  OdGeVector3d f = checkedFinite(b.scaleFactors() * s);
  double rotation = pm.angle(b.rotation());
  if (pm.mirrors) {
    // Mirrored along the block's own X axis, turned half a turn.
    f.x = -f.x;
    rotation += std::numbers::pi;
  }
  b.setNormal(pm.to.n);
  b.setPosition(pm.point(b.position()));
  b.setRotation(std::remainder(rotation, 2 * std::numbers::pi));
  b.setScaleFactors(f);
}

void transformPolyline(OdDbPolyline& p, const OdGeMatrix3d& map) {
  const PlaneMap pm(map, p.normal());
  const double s = scaleOf(map);
  double elevation = p.elevation();
  for (unsigned i = 0; i < p.numVerts(); ++i) {
    const OdDbPolyline::Vertex v = p.vertexAt(i);
    const OdGePoint3d q = pm.point({v.x, v.y, p.elevation()});
    p.setPointAt(i, q.x, q.y);
    elevation = q.z;
    // A mirror runs every arc the other way round.
    if (pm.mirrors) p.setBulgeAt(i, -v.bulge);
    p.setWidthsAt(i, checkedFinite(v.startWidth * s), checkedFinite(v.endWidth * s));
  }
  if (p.numVerts() == 0) elevation = pm.point({0, 0, p.elevation()}).z;
  p.setNormal(pm.to.n);
  p.setElevation(elevation);
  p.setConstantWidth(checkedFinite(p.constantWidth() * s));
}

template <class Corners>
void transformCorners(Corners& c, const OdGeMatrix3d& map) {
  const PlaneMap pm(map, c.normal());
  for (int i = 0; i < 4; ++i) c.setPointAt(i, pm.point(c.pointAt(i)));
  c.setNormal(pm.to.n);
}

// Every definition point of a dimension through `f`; true when one moved.
bool mapDefinitionPoints(OdDbDimension& d, const PointMap& f) {
  bool moved = false;
  auto step = [&](auto& dim, OdGePoint3d (std::remove_reference_t<decltype(dim)>::*get)() const,
                  void (std::remove_reference_t<decltype(dim)>::*set)(const OdGePoint3d&)) {
    const OdGePoint3d before = (dim.*get)(), after = f(before);
    if (after == before) return;
    (dim.*set)(after);
    moved = true;
  };
  if (auto r = OdDbRotatedDimension::cast(&d)) {
    using T = OdDbRotatedDimension;
    step(*r, &T::xLine1Point, &T::setXLine1Point), step(*r, &T::xLine2Point, &T::setXLine2Point);
    step(*r, &T::dimLinePoint, &T::setDimLinePoint);
  } else if (auto a = OdDbAlignedDimension::cast(&d)) {
    using T = OdDbAlignedDimension;
    step(*a, &T::xLine1Point, &T::setXLine1Point), step(*a, &T::xLine2Point, &T::setXLine2Point);
    step(*a, &T::dimLinePoint, &T::setDimLinePoint);
  } else if (auto c = OdDbArcDimension::cast(&d)) {
    using T = OdDbArcDimension;
    step(*c, &T::center, &T::setCenter), step(*c, &T::xLine1Point, &T::setXLine1Point);
    step(*c, &T::xLine2Point, &T::setXLine2Point), step(*c, &T::arcPoint, &T::setArcPoint);
    step(*c, &T::leader1Point, &T::setLeader1Point), step(*c, &T::leader2Point, &T::setLeader2Point);
  } else if (auto di = OdDbDiametricDimension::cast(&d)) {
    using T = OdDbDiametricDimension;
    step(*di, &T::chordPoint, &T::setChordPoint), step(*di, &T::farChordPoint, &T::setFarChordPoint);
  } else if (auto ra = OdDbRadialDimension::cast(&d)) {
    using T = OdDbRadialDimension;
    step(*ra, &T::center, &T::setCenter), step(*ra, &T::chordPoint, &T::setChordPoint);
  } else if (auto l2 = OdDb2LineAngularDimension::cast(&d)) {
    using T = OdDb2LineAngularDimension;
    step(*l2, &T::xLine1Start, &T::setXLine1Start), step(*l2, &T::xLine1End, &T::setXLine1End);
    step(*l2, &T::xLine2Start, &T::setXLine2Start), step(*l2, &T::xLine2End, &T::setXLine2End);
    step(*l2, &T::arcPoint, &T::setArcPoint);
  } else if (auto p3 = OdDb3PointAngularDimension::cast(&d)) {
    using T = OdDb3PointAngularDimension;
    step(*p3, &T::centerPoint, &T::setCenterPoint), step(*p3, &T::xLine1Point, &T::setXLine1Point);
    step(*p3, &T::xLine2Point, &T::setXLine2Point), step(*p3, &T::arcPoint, &T::setArcPoint);
  } else if (auto o = OdDbOrdinateDimension::cast(&d)) {
    using T = OdDbOrdinateDimension;
    step(*o, &T::origin, &T::setOrigin), step(*o, &T::definingPoint, &T::setDefiningPoint);
    step(*o, &T::leaderEndPoint, &T::setLeaderEndPoint);
  } else if (auto j = QrHugeRadius::cast(&d)) {
    using T = QrHugeRadius;
    step(*j, &T::center, &T::setCenter), step(*j, &T::chordPoint, &T::setChordPoint);
    step(*j, &T::overrideCenter, &T::setOverrideCenter), step(*j, &T::jogPoint, &T::setJogPoint);
  }
  return moved;
}

// The text position moves like a point; a position the dimension chose
// itself stays its own choice (the block rebuilt puts it anew).
bool mapTextPosition(OdDbDimension& d, const PointMap& f) {
  const OdGePoint3d before = d.textPosition(), after = f(before);
  if (after == before) return false;
  const bool chosen = d.isUsingDefaultTextPosition();
  d.setTextPosition(after);
  if (chosen) d.useDefaultTextPosition();
  return true;
}

void transformDimension(OdDbDimension& d, const OdGeMatrix3d& map) {
  const PlaneMap pm(map, d.normal());
  const PointMap f = [&](const OdGePoint3d& p) { return put(map, p); };
  mapDefinitionPoints(d, f);
  mapTextPosition(d, f);
  // Angles measured from the plane's X axis turn with it; zero stands for
  // "as the dimension runs" and stays.
  if (auto r = OdDbRotatedDimension::cast(&d)) {
    r->setRotation(pm.angle(r->rotation()));
    if (r->oblique() != 0) r->setOblique(pm.angle(r->oblique()));
  } else if (auto a = OdDbAlignedDimension::cast(&d)) {
    if (a->oblique() != 0) a->setOblique(pm.angle(a->oblique()));
  }
  if (d.textRotation() != 0) {
    bool reversed = false;
    const double turned = pm.angle(d.textRotation());
    d.setTextRotation(pm.mirrors ? readableAngle(turned, reversed) : turned);
  }
  const double s = scaleOf(map);
  if (auto di = OdDbDiametricDimension::cast(&d)) di->setLeaderLength(checkedFinite(di->leaderLength() * s));
  if (auto ra = OdDbRadialDimension::cast(&d)) ra->setLeaderLength(checkedFinite(ra->leaderLength() * s));
  d.setNormal(pm.to.n);
}

bool hasKeptParts(const OdDbEntity& e, const OdGeMatrix3d& map) {
  const auto insert = OdDbBlockReference::cast(&e);
  if (!insert || !insert->insertExtras()) return false;
  const OdDbInsertExtras& x = *insert->insertExtras();
  // Attributes are records of their own that stay where they were read; a
  // grid's spacing is not scaled or mirrored with it.
  const bool rigid = map.det() > 0 && std::fabs(scaleOf(map) - 1) < 1e-12;
  return !x.attributes.empty() || ((x.columns > 1 || x.rows > 1) && !rigid);
}

}  // namespace

OdDbTransformCheck canTransformEntity(const OdDbEntity& entity, const OdGeMatrix3d& map) {
  const OdDbEntityKind kind = odDbEntityKind(&entity);
  if (kind == OdDbEntityKind::kForeign || hasKeptParts(entity, map)) return OdDbTransformCheck::kKeptAsRead;
  if (map.uniformScale()) return OdDbTransformCheck::kOk;
  switch (kind) {
    case OdDbEntityKind::kLine:
    case OdDbEntityKind::kPoint:
    case OdDbEntityKind::kSpline:
    case OdDbEntityKind::kRay:
    case OdDbEntityKind::kXline:
    case OdDbEntityKind::kFace:
    case OdDbEntityKind::kLeader:
      return OdDbTransformCheck::kOk;
    default:
      return OdDbTransformCheck::kNotSimilar;
  }
}

void transformEntity(OdDbEntity& entity, const OdGeMatrix3d& map, bool mirrorText) {
  if (canTransformEntity(entity, map) != OdDbTransformCheck::kOk || !map.isFinite())
    throw OdError(eInvalidInput, "the entity cannot be carried by this map");
  const double s = scaleOf(map);
  switch (odDbEntityKind(&entity)) {
    case OdDbEntityKind::kForeign:
      break;  // refused above
    case OdDbEntityKind::kLine: {
      auto& l = static_cast<OdDbLine&>(entity);
      l.setStartPoint(put(map, l.startPoint()));
      l.setEndPoint(put(map, l.endPoint()));
      break;
    }
    case OdDbEntityKind::kCircle: {
      auto& c = static_cast<OdDbCircle&>(entity);
      const PlaneMap pm(map, c.normal());
      c.setCenter(pm.point(c.center()));
      c.setNormal(pm.to.n);
      c.setRadius(checkedFinite(c.radius() * s));
      break;
    }
    case OdDbEntityKind::kArc: {
      auto& a = static_cast<OdDbArc&>(entity);
      const PlaneMap pm(map, a.normal());
      double start = pm.angle(a.startAngle()), end = pm.angle(a.endAngle());
      // Mirrored, the arc runs the other way: its ends trade places.
      if (pm.mirrors) std::swap(start, end);
      a.setCenter(pm.point(a.center()));
      a.setNormal(pm.to.n);
      a.setRadius(checkedFinite(a.radius() * s));
      a.setStartAngle(start);
      a.setEndAngle(end);
      break;
    }
    case OdDbEntityKind::kPolyline:
      transformPolyline(static_cast<OdDbPolyline&>(entity), map);
      break;
    case OdDbEntityKind::kText:
      transformText(static_cast<OdDbText&>(entity), map, mirrorText);
      break;
    case OdDbEntityKind::kMText:
      transformMText(static_cast<OdDbMText&>(entity), map);
      break;
    case OdDbEntityKind::kInsert:
      transformInsert(static_cast<OdDbBlockReference&>(entity), map);
      break;
    case OdDbEntityKind::kPoint: {
      auto& p = static_cast<OdDbPoint&>(entity);
      p.setPosition(put(map, p.position()));
      break;
    }
    case OdDbEntityKind::kSolid:
      transformCorners(static_cast<OdDbSolid&>(entity), map);
      break;
    case OdDbEntityKind::kTrace:
      transformCorners(static_cast<OdDbTrace&>(entity), map);
      break;
    case OdDbEntityKind::kEllipse: {
      auto& e = static_cast<OdDbEllipse&>(entity);
      const double start = e.startParam(), end = e.endParam();
      e.setCenter(put(map, e.center()));
      e.setMajorAxis(put(map, e.majorAxis()));
      e.setNormal(unit(put(map, e.normal())));
      if (map.det() < 0) {
        // The minor axis comes out reversed: the point at t is now at -t.
        e.setStartParam(-end);
        e.setEndParam(-start);
      }
      break;
    }
    case OdDbEntityKind::kSpline: {
      auto& sp = static_cast<OdDbSpline&>(entity);
      std::vector<OdGePoint3d> control = sp.controlPoints(), fit = sp.fitPoints();
      for (OdGePoint3d& p : control) p = put(map, p);
      for (OdGePoint3d& p : fit) p = put(map, p);
      sp.setControlPoints(std::move(control));
      sp.setFitPoints(std::move(fit));
      sp.setStartTangent(put(map, sp.startTangent()));
      sp.setEndTangent(put(map, sp.endTangent()));
      sp.setNormal(unit(put(map, sp.normal())));
      break;
    }
    case OdDbEntityKind::kRay: {
      auto& r = static_cast<OdDbRay&>(entity);
      r.setBasePoint(put(map, r.basePoint()));
      r.setUnitDir(put(map, r.unitDir()));
      break;
    }
    case OdDbEntityKind::kXline: {
      auto& x = static_cast<OdDbXline&>(entity);
      x.setBasePoint(put(map, x.basePoint()));
      x.setUnitDir(put(map, x.unitDir()));
      break;
    }
    case OdDbEntityKind::kFace: {
      auto& f = static_cast<OdDbFace&>(entity);
      for (int i = 0; i < 4; ++i) f.setVertexAt(i, put(map, f.vertexAt(i)));
      break;
    }
    case OdDbEntityKind::kDimension:
      transformDimension(static_cast<OdDbDimension&>(entity), map);
      break;
    case OdDbEntityKind::kLeader: {
      auto& l = static_cast<OdDbLeader&>(entity);
      std::vector<OdGePoint3d> points = l.vertices();
      for (OdGePoint3d& p : points) p = put(map, p);
      l.setVertices(points);
      l.setNormal(unit(put(map, l.normal())));
      break;
    }
  }
}

bool stretchEntity(OdDbEntity& entity, const std::function<bool(const OdGePoint3d&)>& inside,
                   const OdGeVector3d& offset) {
  const OdGeMatrix3d move = OdGeMatrix3d::translation(offset);
  if (canTransformEntity(entity, move) != OdDbTransformCheck::kOk)
    throw OdError(eInvalidInput, "the entity cannot be stretched");
  const PointMap f = [&](const OdGePoint3d& p) { return inside(p) ? checkedFinite(p + offset) : p; };
  // Moves the whole entity when its one defining point is inside.
  auto wholeBy = [&](const OdGePoint3d& at) {
    if (!inside(at)) return false;
    transformEntity(entity, move);
    return true;
  };
  switch (odDbEntityKind(&entity)) {
    case OdDbEntityKind::kForeign:
      return false;  // refused above
    case OdDbEntityKind::kLine: {
      auto& l = static_cast<OdDbLine&>(entity);
      const OdGePoint3d a = f(l.startPoint()), b = f(l.endPoint());
      if (a == l.startPoint() && b == l.endPoint()) return false;
      l.setStartPoint(a);
      l.setEndPoint(b);
      return true;
    }
    case OdDbEntityKind::kCircle:
      return wholeBy(Plane(static_cast<OdDbCircle&>(entity).normal()).toWorld(static_cast<OdDbCircle&>(entity).center()));
    case OdDbEntityKind::kArc:
      return wholeBy(Plane(static_cast<OdDbArc&>(entity).normal()).toWorld(static_cast<OdDbArc&>(entity).center()));
    case OdDbEntityKind::kEllipse:
      return wholeBy(static_cast<OdDbEllipse&>(entity).center());
    case OdDbEntityKind::kText: {
      auto& t = static_cast<OdDbText&>(entity);
      const bool byPosition = t.horizontalMode() == 0 && t.verticalMode() == 0;
      return wholeBy(Plane(t.normal()).toWorld(byPosition ? t.position() : t.alignmentPoint()));
    }
    case OdDbEntityKind::kMText:
      return wholeBy(static_cast<OdDbMText&>(entity).location());
    case OdDbEntityKind::kInsert: {
      auto& b = static_cast<OdDbBlockReference&>(entity);
      return wholeBy(Plane(b.normal()).toWorld(b.position()));
    }
    case OdDbEntityKind::kPoint:
      return wholeBy(static_cast<OdDbPoint&>(entity).position());
    case OdDbEntityKind::kPolyline: {
      auto& p = static_cast<OdDbPolyline&>(entity);
      const Plane plane(p.normal());
      bool moved = false;
      for (unsigned i = 0; i < p.numVerts(); ++i) {
        const OdDbPolyline::Vertex v = p.vertexAt(i);
        const OdGePoint3d world = plane.toWorld({v.x, v.y, p.elevation()});
        if (!inside(world)) continue;
        const OdGePoint3d q = plane.fromWorld(checkedFinite(world + offset));
        p.setPointAt(i, q.x, q.y);
        moved = true;
      }
      return moved;
    }
    case OdDbEntityKind::kSolid:
    case OdDbEntityKind::kTrace:
    case OdDbEntityKind::kFace: {
      bool moved = false;
      for (int i = 0; i < 4; ++i) {
        if (auto s = OdDbSolid::cast(&entity)) {
          const Plane plane(s->normal());
          const OdGePoint3d w = plane.toWorld(s->pointAt(i));
          if (inside(w)) s->setPointAt(i, plane.fromWorld(checkedFinite(w + offset))), moved = true;
        } else if (auto t = OdDbTrace::cast(&entity)) {
          const Plane plane(t->normal());
          const OdGePoint3d w = plane.toWorld(t->pointAt(i));
          if (inside(w)) t->setPointAt(i, plane.fromWorld(checkedFinite(w + offset))), moved = true;
        } else if (auto fa = OdDbFace::cast(&entity)) {
          if (inside(fa->vertexAt(i))) fa->setVertexAt(i, checkedFinite(fa->vertexAt(i) + offset)), moved = true;
        }
      }
      return moved;
    }
    case OdDbEntityKind::kSpline: {
      auto& sp = static_cast<OdDbSpline&>(entity);
      std::vector<OdGePoint3d> control = sp.controlPoints(), fit = sp.fitPoints();
      bool moved = false;
      for (auto* points : {&control, &fit})
        for (OdGePoint3d& p : *points)
          if (inside(p)) p = checkedFinite(p + offset), moved = true;
      if (!moved) return false;
      sp.setControlPoints(std::move(control));
      sp.setFitPoints(std::move(fit));
      return true;
    }
    case OdDbEntityKind::kRay:
      return wholeBy(static_cast<OdDbRay&>(entity).basePoint());
    case OdDbEntityKind::kXline:
      return wholeBy(static_cast<OdDbXline&>(entity).basePoint());
    case OdDbEntityKind::kDimension: {
      auto& d = static_cast<OdDbDimension&>(entity);
      bool moved = mapDefinitionPoints(d, f);
      // The text goes with the points when the user placed it; otherwise
      // the rebuilt block places it.
      if (!d.isUsingDefaultTextPosition()) moved = mapTextPosition(d, f) || moved;
      return moved;
    }
    case OdDbEntityKind::kLeader: {
      auto& l = static_cast<OdDbLeader&>(entity);
      std::vector<OdGePoint3d> points = l.vertices();
      bool moved = false;
      for (OdGePoint3d& p : points)
        if (inside(p)) p = checkedFinite(p + offset), moved = true;
      if (moved) l.setVertices(points);
      return moved;
    }
  }
  return false;
}
