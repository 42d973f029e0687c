// The curves of the drawing's entities as snaps see them.
#include <cmath>

#include "OdDbEntities.h"
#include "OdDbEntityKinds.h"
#include "object_snap.h"

namespace snap {

namespace {

Point flat(const OdGePoint3d& p) { return {p.x, p.y}; }

bool finite(Point p) { return std::isfinite(p.x) && std::isfinite(p.y); }

// One stretch of a polyline: straight, or the arc its bulge (the tangent of
// a quarter of the included angle, positive counter-clockwise) describes.
Curve bulgeCurve(Point from, Point to, double bulge) {
  if (std::fabs(bulge) < 1e-12) return Segment{from, to};
  const double cx = to.x - from.x, cy = to.y - from.y;
  // The centre lies off the chord's middle, to the left when the arc turns
  // counter-clockwise.
  const double k = (1 - bulge * bulge) / (4 * bulge);
  const Point centre{(from.x + to.x) / 2 - cy * k, (from.y + to.y) / 2 + cx * k};
  Arc a;
  a.centre = centre;
  a.radius = std::hypot(from.x - centre.x, from.y - centre.y);
  const double af = std::atan2(from.y - centre.y, from.x - centre.x);
  const double at = std::atan2(to.y - centre.y, to.x - centre.x);
  a.start = bulge > 0 ? af : at;
  a.end = bulge > 0 ? at : af;
  return a;
}

void addPolyline(const OdDbPolyline& p, std::vector<Curve>& out) {
  const auto& v = p.vertices();
  const std::size_t n = v.size();
  const std::size_t stretches = p.isClosed() && n > 2 ? n : n - (n > 0);
  for (std::size_t i = 0; i < stretches; ++i) {
    const auto& a = v[i];
    const auto& b = v[(i + 1) % n];
    const Point from{a.x, a.y}, to{b.x, b.y};
    if (from == to || !finite(from) || !finite(to)) continue;
    out.push_back(bulgeCurve(from, to, a.bulge));
  }
}

}  // namespace

void addCurvesOf(const OdDbEntity& entity, std::vector<Curve>& out) {
  switch (odDbEntityKind(&entity)) {
    case OdDbEntityKind::kLine: {
      const auto& l = static_cast<const OdDbLine&>(entity);
      const Segment s{flat(l.startPoint()), flat(l.endPoint())};
      if (finite(s.a) && finite(s.b)) out.push_back(s);
      return;
    }
    case OdDbEntityKind::kCircle: {
      const auto& c = static_cast<const OdDbCircle&>(entity);
      Arc a;
      a.centre = flat(c.center());
      a.radius = c.radius();
      a.full = true;
      if (finite(a.centre) && std::isfinite(a.radius)) out.push_back(a);
      return;
    }
    case OdDbEntityKind::kArc: {
      const auto& c = static_cast<const OdDbArc&>(entity);
      const Arc a{flat(c.center()), c.radius(), c.startAngle(), c.endAngle(), false};
      if (finite(a.centre) && std::isfinite(a.radius) && std::isfinite(a.start) && std::isfinite(a.end))
        out.push_back(a);
      return;
    }
    case OdDbEntityKind::kPolyline: return addPolyline(static_cast<const OdDbPolyline&>(entity), out);
    // Annotation, blocks, points and solids have no ends, middles or
    // centres of curves: nothing of them is snapped to.
    case OdDbEntityKind::kText:
    case OdDbEntityKind::kMText:
    case OdDbEntityKind::kInsert:
    case OdDbEntityKind::kPoint:
    case OdDbEntityKind::kSolid:
    case OdDbEntityKind::kEllipse:
    case OdDbEntityKind::kSpline:
    case OdDbEntityKind::kRay:
    case OdDbEntityKind::kXline:
    case OdDbEntityKind::kFace:
    case OdDbEntityKind::kTrace:
    case OdDbEntityKind::kDimension:
    case OdDbEntityKind::kLeader:
    case OdDbEntityKind::kForeign: return;
  }
}

}  // namespace snap
