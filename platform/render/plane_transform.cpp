#include "plane_transform.h"

namespace render {

PathSegment Transform::arc(const OdGePoint3d& centre, double r, double a0, double a1) const {
  const double m00 = a * r, m10 = b * r, m01 = c * r, m11 = d * r;  // the columns: images of r·x, r·y
  const double p = m00 * m00 + m10 * m10, s = m01 * m01 + m11 * m11, q = m00 * m01 + m10 * m11;
  const double theta = 0.5 * std::atan2(2 * q, p - s);
  const double ct = std::cos(theta), st = std::sin(theta);
  const Point2 major{m00 * ct + m01 * st, m10 * ct + m11 * st};
  const Point2 minor{-m00 * st + m01 * ct, -m10 * st + m11 * ct};
  const double len2 = major.x * major.x + major.y * major.y;
  // The minor axis is the major turned a quarter, counter-clockwise
  // (ratio > 0) or clockwise (a mirroring map: ratio < 0).
  const double ratio = len2 > 0 ? (minor.y * major.x - minor.x * major.y) / len2 : 1.0;
  return PathSegment::arc(apply(centre), major, ratio, a0 - theta, a1 - theta);
}

PathSegment Transform::map(const PathSegment& s) const {
  switch (s.kind) {
    case PathSegment::Kind::kMove: return PathSegment::moveTo(apply(s.to));
    case PathSegment::Kind::kLine: return PathSegment::lineTo(apply(s.to));
    case PathSegment::Kind::kCubic: return PathSegment::cubicTo(apply(s.c1), apply(s.c2), apply(s.to));
    case PathSegment::Kind::kClose: return s;
    case PathSegment::Kind::kArc: {
      if (isIdentity()) return s;
      // The arc is the unit circle carried by the map that takes x to its
      // major axis and y to its minor one; carry that map on by this one.
      const Transform unit{s.axis.x, s.axis.y, -s.axis.y * s.ratio, s.axis.x * s.ratio, s.to.x, s.to.y};
      return unit.then(*this).arc(OdGePoint3d(), 1.0, s.start, s.end);
    }
  }
  return s;
}

Transform Transform::insert(const OdGePoint3d& pos, double rot, double sx, double sy, const OdGePoint3d& base) {
  const double cs = std::cos(rot), sn = std::sin(rot);
  Transform t{cs * sx, sn * sx, -sn * sy, cs * sy, 0, 0};
  const Point2 o = t.apply(-base.x, -base.y);
  t.tx = o.x + pos.x;
  t.ty = o.y + pos.y;
  return t;
}

EntityPlane entityPlane(const OdGeVector3d& normal) {
  EntityPlane p;
  const double len = std::sqrt(normal.x * normal.x + normal.y * normal.y + normal.z * normal.z);
  if (!(len > 0) || !std::isfinite(len)) return p;
  const OdGeVector3d n(normal.x / len, normal.y / len, normal.z / len);
  const double limit = 1.0 / 64;
  const OdGeVector3d w = std::fabs(n.x) < limit && std::fabs(n.y) < limit ? OdGeVector3d(0, 1, 0) : OdGeVector3d(0, 0, 1);
  OdGeVector3d ax(w.y * n.z - w.z * n.y, w.z * n.x - w.x * n.z, w.x * n.y - w.y * n.x);
  const double l = std::sqrt(ax.x * ax.x + ax.y * ax.y + ax.z * ax.z);
  p.n = n;
  p.ax = OdGeVector3d(ax.x / l, ax.y / l, ax.z / l);
  p.ay = OdGeVector3d(n.y * p.ax.z - n.z * p.ax.y, n.z * p.ax.x - n.x * p.ax.z, n.x * p.ax.y - n.y * p.ax.x);
  return p;
}

Transform planeToWorld(const OdGeVector3d& normal, double elevation) {
  if (normal == OdGeVector3d::kZAxis()) return {1, 0, 0, 1, 0, 0};
  const EntityPlane p = entityPlane(normal);
  return {p.ax.x, p.ax.y, p.ay.x, p.ay.y, elevation * p.n.x, elevation * p.n.y};
}

}  // namespace render
