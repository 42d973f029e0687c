#include "OdDbTransform.h"

#include <cmath>
#include <numbers>

#include "OdDbCurves.h"
#include "OdDbEntities.h"
#include "OdDbEntityKinds.h"
#include "OdDbFaces.h"
#include "OdDbLeader.h"
#include "OdDbTransformParts.h"

using namespace oddbtransform;

namespace {

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
