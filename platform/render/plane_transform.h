#pragma once
// A plane affine map, the way block references, dimension parts and
// ellipses place what they draw; arcs carried by it stay exact arcs.
#include <cmath>

#include "OdGePoint3d.h"
#include "display_list.h"

namespace render {

// x' = a x + c y + tx, y' = b x + d y + ty.
struct Transform {
  double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;
  Point2 apply(double x, double y) const { return {a * x + c * y + tx, b * x + d * y + ty}; }
  Point2 apply(const OdGePoint3d& p) const { return apply(p.x, p.y); }
  Point2 apply(Point2 p) const { return apply(p.x, p.y); }
  Transform then(const Transform& o) const {  // this first, then o
    return {o.a * a + o.c * b, o.b * a + o.d * b, o.a * c + o.c * d, o.b * c + o.d * d,
            o.a * tx + o.c * ty + o.tx, o.b * tx + o.d * ty + o.ty};
  }
  bool isIdentity() const { return a == 1 && b == 0 && c == 0 && d == 1 && tx == 0 && ty == 0; }
  double scale() const { return std::sqrt(std::fabs(a * d - b * c)); }
  double rotation() const { return std::atan2(b, a); }
  // The image of a circle's arc (angles counter-clockwise from `a0` to
  // `a1`, or clockwise when less): an elliptical arc whose major axis is
  // where the map stretches most, with the parameters turned to match.
  PathSegment arc(const OdGePoint3d& centre, double r, double a0, double a1) const;
  // A path's step carried by the map.
  PathSegment map(const PathSegment& s) const;
  static Transform insert(const OdGePoint3d& pos, double rot, double sx, double sy, const OdGePoint3d& base);
};

}  // namespace render
