#pragma once
// A 3D affine map: a linear part and a translation, applied to points as
// p' = L p + t and to directions as v' = L v. The modify commands build
// theirs from moves, turns about an axis, uniform scales and mirrors.
#include <optional>

#include "OdGePoint3d.h"

struct OdGeMatrix3d {
  // Row i: the i-th coordinate of the image, m[i][3] the translation.
  double m[3][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}};

  static OdGeMatrix3d translation(const OdGeVector3d& by);
  // A turn by `radians` counter-clockwise about the line through `centre`
  // along `axis` (looking down the axis at the turn).
  static OdGeMatrix3d rotation(double radians, const OdGeVector3d& axis, const OdGePoint3d& centre);
  static OdGeMatrix3d scaling(double factor, const OdGePoint3d& centre);
  // The mirror in the plane through `a` and `b` that holds `up` (for a
  // mirror line drawn in the XY plane, `up` is the Z axis).
  static OdGeMatrix3d mirroring(const OdGePoint3d& a, const OdGePoint3d& b,
                                const OdGeVector3d& up = OdGeVector3d::kZAxis());

  // This map after `first`.
  OdGeMatrix3d operator*(const OdGeMatrix3d& first) const;
  OdGePoint3d apply(const OdGePoint3d& p) const;
  OdGeVector3d apply(const OdGeVector3d& v) const;
  // The linear part's determinant: negative for a map that mirrors.
  double det() const;
  // The factor every length is multiplied by when the map keeps shapes
  // (a similarity: turns, mirrors, uniform scales); nothing otherwise.
  std::optional<double> uniformScale() const;
  bool isFinite() const;
  bool isIdentity() const;
  bool operator==(const OdGeMatrix3d&) const = default;
};
