#pragma once
// Curves beyond lines and arcs: ellipses and elliptical arcs, splines, and
// the unbounded lines (rays and construction lines).
#include <vector>

#include "OdDbEntities.h"

// An ellipse, or an arc of one between two parameters (radians from the
// major axis; the point at t is centre + major cos t + minor sin t).
class OdDbEllipse : public OdDbEntity {
  ODDB_DECLARE_MEMBERS(OdDbEllipse)
  ODDB_ENT_FIELD(OdGePoint3d, center, setCenter, {})
  ODDB_ENT_FIELD(OdGeVector3d, normal, setNormal, OdGeVector3d::kZAxis())
  ODDB_ENT_FIELD(double, startParam, setStartParam, 0.0)
  ODDB_ENT_FIELD(double, endParam, setEndParam, 6.283185307179586)
public:
  // From the centre to the end of the major axis; never zero.
  OdGeVector3d majorAxis() const { return m_majorAxis; }
  void setMajorAxis(const OdGeVector3d& axis);
  // Minor over major: up to 1 as made here; files may hold more (the
  // "minor" axis then the longer), which is kept and drawn as it says.
  double radiusRatio() const { return m_radiusRatio; }
  void setRadiusRatio(double ratio);
  // The whole ellipse (start and end a full turn apart, or equal).
  bool isClosed() const;

private:
  OdGeVector3d m_majorAxis{1, 0, 0};
  double m_radiusRatio = 1.0;
};
using OdDbEllipsePtr = OdSmartPtr<OdDbEllipse>;

// A B-spline by its degree, knots, control points and (rational) weights,
// or a curve through fit points.
class OdDbSpline : public OdDbEntity {
  ODDB_DECLARE_MEMBERS(OdDbSpline)
  // 1 closed, 2 periodic, 4 rational, 8 planar, 16 linear: as the file says.
  ODDB_ENT_FIELD(OdInt16, flags, setFlags, 8)
  ODDB_ENT_FIELD(OdGeVector3d, normal, setNormal, OdGeVector3d::kZAxis())
  ODDB_ENT_FIELD(OdGeVector3d, startTangent, setStartTangent, {})  // zero: none
  ODDB_ENT_FIELD(OdGeVector3d, endTangent, setEndTangent, {})
  ODDB_ENT_FIELD(double, knotTolerance, setKnotTolerance, 1e-10)
  ODDB_ENT_FIELD(double, controlPointTolerance, setControlPointTolerance, 1e-10)
  ODDB_ENT_FIELD(double, fitTolerance, setFitTolerance, 1e-10)
public:
  int degree() const { return m_degree; }
  void setDegree(int degree);  // 1 and up
  const std::vector<double>& knots() const { return m_knots; }
  void setKnots(std::vector<double> knots);
  // Empty for a spline that is not rational.
  const std::vector<double>& weights() const { return m_weights; }
  void setWeights(std::vector<double> weights);
  const std::vector<OdGePoint3d>& controlPoints() const { return m_controlPoints; }
  void setControlPoints(std::vector<OdGePoint3d> points);
  const std::vector<OdGePoint3d>& fitPoints() const { return m_fitPoints; }
  void setFitPoints(std::vector<OdGePoint3d> points);

private:
  int m_degree = 3;
  std::vector<double> m_knots, m_weights;
  std::vector<OdGePoint3d> m_controlPoints, m_fitPoints;
};
using OdDbSplinePtr = OdSmartPtr<OdDbSpline>;

// A line from a point on in one direction without end.
class OdDbRay : public OdDbEntity {
  ODDB_DECLARE_MEMBERS(OdDbRay)
  ODDB_ENT_FIELD(OdGePoint3d, basePoint, setBasePoint, {})
public:
  OdGeVector3d unitDir() const { return m_direction; }
  void setUnitDir(const OdGeVector3d& direction);  // made unit; never zero

private:
  OdGeVector3d m_direction{1, 0, 0};
};
using OdDbRayPtr = OdSmartPtr<OdDbRay>;

// A construction line: through a point, without end either way.
class OdDbXline : public OdDbEntity {
  ODDB_DECLARE_MEMBERS(OdDbXline)
  ODDB_ENT_FIELD(OdGePoint3d, basePoint, setBasePoint, {})
public:
  OdGeVector3d unitDir() const { return m_direction; }
  void setUnitDir(const OdGeVector3d& direction);  // made unit; never zero

private:
  OdGeVector3d m_direction{1, 0, 0};
};
using OdDbXlinePtr = OdSmartPtr<OdDbXline>;
