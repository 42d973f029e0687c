#include "entity_curves.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "OdDbCurves.h"
#include "OdDbEntities.h"
#include "OdDbEntityKinds.h"
#include "OdDbFaces.h"
#include "OdDbForeignShapes.h"
#include "bulge_arc.h"
#include "draw_curves.h"
#include "draw_polyline.h"
#include "path_flatten.h"
#include "plane_transform.h"

namespace render {
namespace {

Point2 p2(const g2::P& p) { return {p.x, p.y}; }

void add(EntityCurves& out, CurvePath path) {
  const bool draws = path.segments.size() >= 2 || (!path.segments.empty() && path.segments[0].kind == PathSegment::Kind::kArc);
  if (!draws || !std::all_of(path.segments.begin(), path.segments.end(), isFinite)) return;
  out.paths.push_back(std::move(path));
}

void addRow(EntityCurves& out, const PointRow& row, bool smooth) {
  CurvePath path;
  path.smooth = smooth;
  for (const g2::P& q : row.points)
    path.segments.push_back(path.segments.empty() ? PathSegment::moveTo(p2(q)) : PathSegment::lineTo(p2(q)));
  if (row.closed) path.segments.push_back(PathSegment::close());
  add(out, std::move(path));
}

// One stretch of a polyline, straight or along its bulge's arc.
PathSegment stretch(const g2::P& from, const g2::P& to, double bulge) {
  if (const std::optional<BulgeArc> a = bulgeArc(from, to, bulge))
    return PathSegment::circleArc(p2(a->centre), a->radius, a->start, a->start + a->sweep);
  return PathSegment::lineTo(p2(to));
}

// A polyline of `n` vertices: a closed one has a stretch back from the
// last vertex to the first (with the last's bulge), even when it has only
// two: two half circles make a circle. One vertex is a point of no length.
template <class Vertex, class At>
void addPolyline(EntityCurves& out, const std::vector<Vertex>& v, bool closed, At at) {
  const std::size_t n = v.size();
  if (n == 0) return;
  CurvePath path;
  path.segments.push_back(PathSegment::moveTo(p2(at(v[0]))));
  for (std::size_t i = 0; i + 1 < n; ++i) path.segments.push_back(stretch(at(v[i]), at(v[i + 1]), v[i].bulge));
  if (n == 1) path.segments.push_back(PathSegment::lineTo(p2(at(v[0]))));
  if (closed && n > 1) {
    // The way back: the close itself when straight.
    const PathSegment back = stretch(at(v[n - 1]), at(v[0]), v[n - 1].bulge);
    if (back.kind == PathSegment::Kind::kArc) path.segments.push_back(back);
    path.segments.push_back(PathSegment::close());
  }
  add(out, std::move(path));
}

void addEllipse(EntityCurves& out, const OdDbEllipse& el) {
  const OdGeVector3d major = el.majorAxis(), n = el.normal();
  const double nl = n.length(), ratio = el.radiusRatio();
  if (!(nl > 0) || !std::isfinite(ratio)) return;
  // The unit circle carried by the map that takes x to the major axis and
  // y to the minor one: the normal crossed with the major axis, times the
  // ratio (seen from a normal pointing down, the other way round).
  const double minorX = (n.y * major.z - n.z * major.y) / nl * ratio;
  const double minorY = (n.z * major.x - n.x * major.z) / nl * ratio;
  const Transform unit{major.x, major.y, minorX, minorY, el.center().x, el.center().y};
  const bool closed = el.isClosed();
  const double start = el.startParam();
  const double end = closed ? start + 2 * std::numbers::pi : start + g2::sweep(start, el.endParam());
  if (!std::isfinite(start) || !std::isfinite(end)) return;
  CurvePath path;
  path.segments.push_back(unit.arc(OdGePoint3d(), 1.0, start, end));
  if (closed) path.segments.push_back(PathSegment::close());
  add(out, std::move(path));
}

void addUnbounded(EntityCurves& out, const OdGePoint3d& base, const OdGeVector3d& dir, bool bothWays) {
  const Point2 b = p2(base), d{dir.x, dir.y};
  if (std::isfinite(b.x) && std::isfinite(b.y) && std::isfinite(d.x) && std::isfinite(d.y))
    out.unbounded = UnboundedCurve{b, d, bothWays};
}

void addOldPolyline(EntityCurves& out, const OdDbOldPolyline& p, int perTurn) {
  if (!p.is2d()) {
    for (const PointRow& r : edgeRows(p)) addRow(out, r, false);
    return;
  }
  addPolyline(out, worldVertices(p, perTurn), p.closed(), [](const OldVertex& q) { return q.at; });
}

}  // namespace

bool curvesOf(const OdDbEntity& entity, int perTurn, EntityCurves& out) {
  switch (odDbEntityKind(&entity)) {
    case OdDbEntityKind::kLine: {
      const auto& l = static_cast<const OdDbLine&>(entity);
      add(out, {{PathSegment::moveTo(p2(l.startPoint())), PathSegment::lineTo(p2(l.endPoint()))}, false});
      return true;
    }
    // Circles, arcs and light polylines are given in their own plane.
    case OdDbEntityKind::kCircle: {
      const auto& c = static_cast<const OdDbCircle&>(entity);
      const Transform plane = planeToWorld(c.normal(), c.center().z);
      add(out, {{plane.arc(c.center(), c.radius(), 0, 2 * std::numbers::pi), PathSegment::close()}, false});
      return true;
    }
    case OdDbEntityKind::kArc: {
      const auto& a = static_cast<const OdDbArc&>(entity);
      double s = g2::sweep(a.startAngle(), a.endAngle());
      if (s == 0.0) s = 2 * std::numbers::pi;  // equal angles close the circle
      const Transform plane = planeToWorld(a.normal(), a.center().z);
      add(out, {{plane.arc(a.center(), a.radius(), a.startAngle(), a.startAngle() + s)}, false});
      return true;
    }
    case OdDbEntityKind::kPolyline: {
      const auto& p = static_cast<const OdDbPolyline&>(entity);
      const std::size_t first = out.paths.size();
      addPolyline(out, p.vertices(), p.isClosed(), [](const auto& q) { return g2::P(q.x, q.y, 0); });
      if (p.normal() != OdGeVector3d::kZAxis()) {
        const Transform plane = planeToWorld(p.normal(), p.elevation());
        for (std::size_t i = first; i < out.paths.size(); ++i)
          for (PathSegment& q : out.paths[i].segments) q = plane.map(q);
      }
      return true;
    }
    case OdDbEntityKind::kEllipse: addEllipse(out, static_cast<const OdDbEllipse&>(entity)); return true;
    case OdDbEntityKind::kSpline:
      addRow(out, splineRow(static_cast<const OdDbSpline&>(entity), perTurn), true);
      return true;
    case OdDbEntityKind::kFace:
      for (const PointRow& r : faceRows(static_cast<const OdDbFace&>(entity))) addRow(out, r, false);
      return true;
    case OdDbEntityKind::kRay: {
      const auto& r = static_cast<const OdDbRay&>(entity);
      addUnbounded(out, r.basePoint(), r.unitDir(), false);
      return true;
    }
    case OdDbEntityKind::kXline: {
      const auto& x = static_cast<const OdDbXline&>(entity);
      addUnbounded(out, x.basePoint(), x.unitDir(), true);
      return true;
    }
    case OdDbEntityKind::kForeign:
      if (const OdDbOldPolylinePtr p = entity.oldPolyline()) {
        addOldPolyline(out, *p, perTurn);
        return true;
      }
      return false;
    case OdDbEntityKind::kText:
    case OdDbEntityKind::kMText:
    case OdDbEntityKind::kInsert:
    case OdDbEntityKind::kPoint:
    case OdDbEntityKind::kSolid:
    case OdDbEntityKind::kTrace:
    case OdDbEntityKind::kDimension:
    case OdDbEntityKind::kLeader: return false;
  }
  return false;
}

}  // namespace render
