#include "OdGeMatrix3d.h"

#include <algorithm>
#include <cmath>

namespace {

double dot(const OdGeVector3d& a, const OdGeVector3d& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

OdGeVector3d unit(const OdGeVector3d& v) {
  const double l = v.length();
  return l > 0 ? v * (1 / l) : v;
}

// The map p -> L (p - c) + c for the linear part already in `r`.
OdGeMatrix3d aboutCentre(OdGeMatrix3d r, const OdGePoint3d& c) {
  const double cv[3] = {c.x, c.y, c.z};
  for (int i = 0; i < 3; ++i) r.m[i][3] = cv[i] - (r.m[i][0] * c.x + r.m[i][1] * c.y + r.m[i][2] * c.z);
  return r;
}

}  // namespace

OdGeMatrix3d OdGeMatrix3d::translation(const OdGeVector3d& by) {
  OdGeMatrix3d r;
  r.m[0][3] = by.x;
  r.m[1][3] = by.y;
  r.m[2][3] = by.z;
  return r;
}

OdGeMatrix3d OdGeMatrix3d::rotation(double radians, const OdGeVector3d& axis, const OdGePoint3d& centre) {
  const OdGeVector3d u = unit(axis);
  // Quarter turns come out exact: a line turned by 90 degrees stays on
  // the grid instead of 6e-17 beside it.
  auto exact = [](double v) { return std::fabs(v) < 1e-15 ? 0.0 : std::fabs(std::fabs(v) - 1) < 1e-15 ? std::copysign(1.0, v) : v; };
  const double c = exact(std::cos(radians)), s = exact(std::sin(radians)), t = 1 - c;
  OdGeMatrix3d r;
  r.m[0][0] = c + u.x * u.x * t;
  r.m[0][1] = u.x * u.y * t - u.z * s;
  r.m[0][2] = u.x * u.z * t + u.y * s;
  r.m[1][0] = u.y * u.x * t + u.z * s;
  r.m[1][1] = c + u.y * u.y * t;
  r.m[1][2] = u.y * u.z * t - u.x * s;
  r.m[2][0] = u.z * u.x * t - u.y * s;
  r.m[2][1] = u.z * u.y * t + u.x * s;
  r.m[2][2] = c + u.z * u.z * t;
  return aboutCentre(r, centre);
}

OdGeMatrix3d OdGeMatrix3d::scaling(double factor, const OdGePoint3d& centre) {
  OdGeMatrix3d r;
  for (int i = 0; i < 3; ++i) r.m[i][i] = factor;
  return aboutCentre(r, centre);
}

OdGeMatrix3d OdGeMatrix3d::mirroring(const OdGePoint3d& a, const OdGePoint3d& b, const OdGeVector3d& up) {
  // The plane's normal: across the line, square to `up`.
  const OdGeVector3d d = b - a;
  const OdGeVector3d n = unit({d.y * up.z - d.z * up.y, d.z * up.x - d.x * up.z, d.x * up.y - d.y * up.x});
  const double nv[3] = {n.x, n.y, n.z};
  OdGeMatrix3d r;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) r.m[i][j] = (i == j ? 1.0 : 0.0) - 2 * nv[i] * nv[j];
  return aboutCentre(r, a);
}

OdGeMatrix3d OdGeMatrix3d::operator*(const OdGeMatrix3d& first) const {
  OdGeMatrix3d r;
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 4; ++j) {
      double v = j == 3 ? m[i][3] : 0.0;
      for (int k = 0; k < 3; ++k) v += m[i][k] * first.m[k][j];
      r.m[i][j] = v;
    }
  }
  return r;
}

OdGePoint3d OdGeMatrix3d::apply(const OdGePoint3d& p) const {
  return {m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z + m[0][3],
          m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z + m[1][3],
          m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z + m[2][3]};
}

OdGeVector3d OdGeMatrix3d::apply(const OdGeVector3d& v) const {
  return {m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z, m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
          m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z};
}

double OdGeMatrix3d::det() const {
  return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) - m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
         m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

std::optional<double> OdGeMatrix3d::uniformScale() const {
  // The columns of a similarity are square to each other and of one length.
  const OdGeVector3d c[3] = {{m[0][0], m[1][0], m[2][0]}, {m[0][1], m[1][1], m[2][1]}, {m[0][2], m[1][2], m[2][2]}};
  const double s = c[0].length();
  if (!(s > 0) || !std::isfinite(s)) return std::nullopt;
  const double tolerance = 1e-9 * s * s;
  for (int i = 0; i < 3; ++i) {
    if (std::fabs(dot(c[i], c[i]) - s * s) > tolerance) return std::nullopt;
    for (int j = i + 1; j < 3; ++j)
      if (std::fabs(dot(c[i], c[j])) > tolerance) return std::nullopt;
  }
  return s;
}

bool OdGeMatrix3d::isFinite() const {
  return std::all_of(&m[0][0], &m[0][0] + 12, [](double v) { return std::isfinite(v); });
}

bool OdGeMatrix3d::isIdentity() const { return *this == OdGeMatrix3d(); }
