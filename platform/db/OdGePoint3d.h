#pragma once
// Minimal 3D geometry values used by entities.
#include <cmath>

struct OdGeVector3d {
  double x = 0, y = 0, z = 0;
  constexpr OdGeVector3d() = default;
  constexpr OdGeVector3d(double ax, double ay, double az) : x(ax), y(ay), z(az) {}
  double length() const { return std::sqrt(x * x + y * y + z * z); }
  OdGeVector3d operator*(double s) const { return {x * s, y * s, z * s}; }
  OdGeVector3d operator+(const OdGeVector3d& o) const { return {x + o.x, y + o.y, z + o.z}; }
  OdGeVector3d operator-(const OdGeVector3d& o) const { return {x - o.x, y - o.y, z - o.z}; }
  bool operator==(const OdGeVector3d&) const = default;
  static constexpr OdGeVector3d kZAxis() { return {0, 0, 1}; }
};

struct OdGePoint3d {
  double x = 0, y = 0, z = 0;
  constexpr OdGePoint3d() = default;
  constexpr OdGePoint3d(double ax, double ay, double az = 0) : x(ax), y(ay), z(az) {}
  OdGePoint3d operator+(const OdGeVector3d& v) const { return {x + v.x, y + v.y, z + v.z}; }
  OdGePoint3d operator-(const OdGeVector3d& v) const { return {x - v.x, y - v.y, z - v.z}; }
  OdGeVector3d operator-(const OdGePoint3d& p) const { return {x - p.x, y - p.y, z - p.z}; }
  double distanceTo(const OdGePoint3d& p) const { return (*this - p).length(); }
  bool operator==(const OdGePoint3d&) const = default;
  static constexpr OdGePoint3d kOrigin() { return {0, 0, 0}; }
};
