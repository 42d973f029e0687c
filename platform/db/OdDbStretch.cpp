// STRETCH's part of OdDbTransform.h: the points inside move, the rest stay.
#include <cmath>

#include "OdDbCurves.h"
#include "OdDbEntities.h"
#include "OdDbEntityKinds.h"
#include "OdDbFaces.h"
#include "OdDbLeader.h"
#include "OdDbTransform.h"
#include "OdDbTransformParts.h"

using namespace oddbtransform;

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
