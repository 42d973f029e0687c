// The curves of the drawing's entities as snaps see them.
#include <cmath>
#include <numbers>

#include "OdDbCurves.h"
#include "OdDbEntities.h"
#include "OdDbFaces.h"
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

// An ellipse or an arc of it, at the fineness the view draws circles.
Path ellipsePath(const OdDbEllipse& e) {
  const OdGeVector3d major = e.majorAxis();
  const double r = e.radiusRatio();
  // normal x major: the minor axis's direction (as the view draws it).
  const double nl = e.normal().length();
  const OdGeVector3d u = nl > 0 ? e.normal() * (1 / nl) : OdGeVector3d::kZAxis();
  const OdGeVector3d minor =
      OdGeVector3d(u.y * major.z - u.z * major.y, u.z * major.x - u.x * major.z, u.x * major.y - u.y * major.x) * r;
  const double turn = 2 * std::numbers::pi;
  double sweep = std::fmod(e.endParam() - e.startParam(), turn);
  if (sweep < 0) sweep += turn;
  Path p;
  p.closed = e.isClosed();
  if (p.closed) sweep = turn;
  const int n = std::max(4, int(std::ceil(sweep / turn * 96)));
  for (int k = 0; k <= n - (p.closed ? 1 : 0); ++k) {
    const double t = e.startParam() + sweep * k / n;
    p.points.push_back(flat(e.center() + major * std::cos(t) + minor * std::sin(t)));
  }
  p.centre = flat(e.center());
  return p;
}

// Far enough along an unbounded line to be off any drawing's view.
constexpr double kUnbounded = 1e7;

void addFace(const OdDbFace& f, std::vector<Curve>& out) {
  const int corners = f.vertexAt(3) == f.vertexAt(2) ? 3 : 4;
  for (int i = 0; i < corners; ++i) {
    // A triangle's closing edge is flagged as the fourth.
    if (!f.isEdgeVisibleAt(corners == 3 && i == 2 ? 3 : i)) continue;
    const Segment s{flat(f.vertexAt(i)), flat(f.vertexAt((i + 1) % corners))};
    if (!(s.a == s.b) && finite(s.a) && finite(s.b)) out.push_back(s);
  }
}

bool finite(const Path& p) {
  for (Point q : p.points)
    if (!finite(q)) return false;
  return !p.points.empty();
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
    case OdDbEntityKind::kEllipse: {
      Path p = ellipsePath(static_cast<const OdDbEllipse&>(entity));
      if (finite(p)) out.push_back(std::move(p));
      return;
    }
    case OdDbEntityKind::kSpline: {
      const auto& s = static_cast<const OdDbSpline&>(entity);
      Path p;
      for (const OdGePoint3d& q : s.controlPoints().size() >= 2 ? s.controlPoints() : s.fitPoints())
        p.points.push_back(flat(q));
      p.crossings = false;
      if (p.points.size() >= 2 && finite(p)) out.push_back(std::move(p));
      return;
    }
    case OdDbEntityKind::kRay: {
      const auto& r = static_cast<const OdDbRay&>(entity);
      Path p;
      p.points = {flat(r.basePoint()), flat(r.basePoint() + r.unitDir() * kUnbounded)};
      p.lastIsEnd = false;
      if (finite(p)) out.push_back(std::move(p));
      return;
    }
    case OdDbEntityKind::kXline: {
      const auto& x = static_cast<const OdDbXline&>(entity);
      Path p;
      p.points = {flat(x.basePoint() - x.unitDir() * kUnbounded), flat(x.basePoint() + x.unitDir() * kUnbounded)};
      p.firstIsEnd = p.lastIsEnd = false;
      if (finite(p)) out.push_back(std::move(p));
      return;
    }
    case OdDbEntityKind::kFace: return addFace(static_cast<const OdDbFace&>(entity), out);
    // Annotation, blocks, points, solids and traces have no ends, middles
    // or centres of curves: nothing of them is snapped to.
    case OdDbEntityKind::kText:
    case OdDbEntityKind::kMText:
    case OdDbEntityKind::kInsert:
    case OdDbEntityKind::kPoint:
    case OdDbEntityKind::kSolid:
    case OdDbEntityKind::kTrace:
    case OdDbEntityKind::kDimension:
    case OdDbEntityKind::kLeader:
    case OdDbEntityKind::kForeign: return;
  }
}

}  // namespace snap
