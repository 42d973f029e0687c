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

}  // namespace render
