#pragma once
// What carrying (OdDbTransform.cpp) and stretching (OdDbStretch.cpp)
// entities share: vector helpers, the check that keeps every result a
// number, the plane an entity gives its points in, and a dimension's
// points and text position through a map. Inside platform/db only.
#include <cmath>
#include <functional>

#include "OdDbDimension.h"
#include "OdGeMatrix3d.h"
#include "OdResult.h"

namespace oddbtransform {

using PointMap = std::function<OdGePoint3d(const OdGePoint3d&)>;

inline double dot(const OdGeVector3d& a, const OdGeVector3d& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline OdGeVector3d cross(const OdGeVector3d& a, const OdGeVector3d& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
// Divides rather than multiplies by the inverse, so that a scaled unit
// vector comes back exactly unit.
inline OdGeVector3d unit(const OdGeVector3d& v) {
  const double l = v.length();
  return l > 0 ? OdGeVector3d(v.x / l, v.y / l, v.z / l) : OdGeVector3d::kZAxis();
}
inline OdGeVector3d asVector(const OdGePoint3d& p) { return {p.x, p.y, p.z}; }

// Every value carried is checked: a move or scale beyond the range of
// numbers is refused (and the command taken back) rather than leaving
// coordinates no file can hold.
inline double checkedFinite(double v) {
  if (!std::isfinite(v)) throw OdError(eInvalidInput, "the result would lie beyond the range of numbers");
  return v;
}
inline OdGePoint3d checkedFinite(const OdGePoint3d& p) { return {checkedFinite(p.x), checkedFinite(p.y), checkedFinite(p.z)}; }
inline OdGeVector3d checkedFinite(const OdGeVector3d& v) { return {checkedFinite(v.x), checkedFinite(v.y), checkedFinite(v.z)}; }
inline OdGePoint3d put(const OdGeMatrix3d& m, const OdGePoint3d& p) { return checkedFinite(m.apply(p)); }
inline OdGeVector3d put(const OdGeMatrix3d& m, const OdGeVector3d& v) { return checkedFinite(m.apply(v)); }

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

// Every definition point of a dimension through `f`; true when one moved.
bool mapDefinitionPoints(OdDbDimension& d, const PointMap& f);

// The text position moves like a point; a position the dimension chose
// itself stays its own choice (the block rebuilt puts it anew).
bool mapTextPosition(OdDbDimension& d, const PointMap& f);

}  // namespace oddbtransform
