#include "OdDbCurves.h"

#include <cmath>
#include <numbers>
#include <string>

ODDB_DEFINE_MEMBERS(OdDbEllipse, OdDbEntity, "ELLIPSE")
ODDB_DEFINE_MEMBERS(OdDbSpline, OdDbEntity, "SPLINE")
ODDB_DEFINE_MEMBERS(OdDbRay, OdDbEntity, "RAY")
ODDB_DEFINE_MEMBERS(OdDbXline, OdDbEntity, "XLINE")

namespace {
bool finite(const OdGeVector3d& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

OdGeVector3d unitOf(const OdGeVector3d& v, const char* what) {
  const double len = v.length();
  if (!(len > 0) || !finite(v)) throw OdError(eInvalidInput, std::string(what) + " must be a direction, not zero");
  return v * (1.0 / len);
}
}  // namespace

void OdDbEllipse::setMajorAxis(const OdGeVector3d& axis) {
  if (!(axis.length() > 0) || !finite(axis)) throw OdError(eInvalidInput, "the major axis must not be zero");
  assertWriteEnabled();
  m_majorAxis = axis;
}

void OdDbEllipse::setRadiusRatio(double ratio) {
  if (!(ratio > 0) || !std::isfinite(ratio)) throw OdError(eInvalidInput, "the radius ratio must be positive");
  assertWriteEnabled();
  m_radiusRatio = ratio;
}

bool OdDbEllipse::isClosed() const {
  const double span = std::fabs(endParam() - startParam());
  return span < 1e-12 || std::fabs(span - 2 * std::numbers::pi) < 1e-12;
}

void OdDbSpline::setDegree(int degree) {
  if (degree < 1) throw OdError(eInvalidInput, "a spline's degree must be 1 or more");
  assertWriteEnabled();
  m_degree = degree;
}

void OdDbSpline::setKnots(std::vector<double> knots) {
  assertWriteEnabled();
  m_knots = std::move(knots);
}

void OdDbSpline::setWeights(std::vector<double> weights) {
  assertWriteEnabled();
  m_weights = std::move(weights);
}

void OdDbSpline::setControlPoints(std::vector<OdGePoint3d> points) {
  assertWriteEnabled();
  m_controlPoints = std::move(points);
}

void OdDbSpline::setFitPoints(std::vector<OdGePoint3d> points) {
  assertWriteEnabled();
  m_fitPoints = std::move(points);
}

void OdDbRay::setUnitDir(const OdGeVector3d& direction) {
  const OdGeVector3d unit = unitOf(direction, "a ray's direction");
  assertWriteEnabled();
  m_direction = unit;
}

void OdDbXline::setUnitDir(const OdGeVector3d& direction) {
  const OdGeVector3d unit = unitOf(direction, "a construction line's direction");
  assertWriteEnabled();
  m_direction = unit;
}
