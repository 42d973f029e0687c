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

// The plane of an entity given in its own coordinates (a circle, a
// polyline, a block reference, a text): its x and y axes in the world by
// the arbitrary axis rule (x is world y, or else world z, crossed with the
// normal), and the normal made unit. A normal that is no direction is the
// world's z axis.
struct EntityPlane {
  OdGeVector3d ax{1, 0, 0}, ay{0, 1, 0}, n{0, 0, 1};
};
EntityPlane entityPlane(const OdGeVector3d& normal);

// From the plane's coordinates (a point at `elevation` along the normal) to
// the world's x and y, as the picture looks down the world's z axis: the
// identity for the world's own plane, a mirroring for a normal pointing
// down.
Transform planeToWorld(const OdGeVector3d& normal, double elevation = 0);

}  // namespace render
