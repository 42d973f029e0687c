#pragma once
// Plane geometry on the drawing's points and vectors (z is ignored: every
// dimension is built in its own plane, which is the XY plane here).
#include <cmath>
#include <numbers>

#include "OdGePoint3d.h"

namespace render::g2 {

using P = OdGePoint3d;
using V = OdGeVector3d;

inline double dot(const V& a, const V& b) { return a.x * b.x + a.y * b.y; }
inline double cross(const V& a, const V& b) { return a.x * b.y - a.y * b.x; }
inline double len(const V& v) { return std::hypot(v.x, v.y); }
inline V unit(const V& v, const V& fallback = V(1, 0, 0)) {
  const double l = len(v);
  return l > 1e-300 ? V(v.x / l, v.y / l, 0) : fallback;
}
inline V perp(const V& v) { return V(-v.y, v.x, 0); }  // turned a quarter left
inline V dir(double angle) { return V(std::cos(angle), std::sin(angle), 0); }
inline double angleOf(const V& v) { return std::atan2(v.y, v.x); }
inline V rotated(const V& v, double a) {
  const double c = std::cos(a), s = std::sin(a);
  return V(v.x * c - v.y * s, v.x * s + v.y * c, 0);
}
inline P mid(const P& a, const P& b) { return P((a.x + b.x) / 2, (a.y + b.y) / 2, 0); }
inline P flat(const P& p) { return P(p.x, p.y, 0); }
// The angle from a to b counter-clockwise, in [0, 2 pi).
inline double sweep(double a, double b) {
  double d = std::fmod(b - a, 2 * std::numbers::pi);
  if (d < 0) d += 2 * std::numbers::pi;
  return d;
}
// An angle turned into (-pi/2, pi/2], so that text at it reads left to right.
inline double readable(double a) {
  a = std::remainder(a, 2 * std::numbers::pi);
  if (a > std::numbers::pi / 2 + 1e-9) a -= std::numbers::pi;
  if (a <= -std::numbers::pi / 2 + 1e-9) a += std::numbers::pi;
  return a;
}

}  // namespace render::g2
