#include "OdDbDimension.h"

#include <cmath>
#include <numbers>

#include "OdDbDatabase.h"

ODDB_DEFINE_ABSTRACT(OdDbDimension, OdDbDimStyleEntity, "DIMENSION")
ODDB_DEFINE_MEMBERS(OdDbRotatedDimension, OdDbDimension, "DIMENSION")
ODDB_DEFINE_MEMBERS(OdDbAlignedDimension, OdDbDimension, "DIMENSION")
ODDB_DEFINE_MEMBERS(OdDbArcDimension, OdDbDimension, "ARC_DIMENSION")
ODDB_DEFINE_MEMBERS(OdDbDiametricDimension, OdDbDimension, "DIMENSION")
ODDB_DEFINE_MEMBERS(OdDbRadialDimension, OdDbDimension, "DIMENSION")
ODDB_DEFINE_MEMBERS(OdDb2LineAngularDimension, OdDbDimension, "DIMENSION")
ODDB_DEFINE_MEMBERS(OdDb3PointAngularDimension, OdDbDimension, "DIMENSION")
ODDB_DEFINE_MEMBERS(OdDbOrdinateDimension, OdDbDimension, "DIMENSION")
ODDB_DEFINE_MEMBERS(QrHugeRadius, OdDbDimension, "LARGE_RADIAL_DIMENSION")

namespace {
OdDbDimension::DimBlockBuilder gBuilder = nullptr;

double angleOf(const OdGeVector3d& v) { return std::atan2(v.y, v.x); }

// The angle from direction a to direction b, in [0, 2 pi).
double sweep(double a, double b) {
  double d = std::fmod(b - a, 2 * std::numbers::pi);
  if (d < 0) d += 2 * std::numbers::pi;
  return d;
}
}  // namespace

void OdDbDimension::setDimBlockBuilder(DimBlockBuilder builder) { gBuilder = builder; }

void OdDbDimension::setDimensionText(const OdString& text) {
  assertWriteEnabled();
  m_text = text;
  m_blockOutOfDate = true;
}

void OdDbDimension::setTextPosition(const OdGePoint3d& p) {
  assertWriteEnabled();
  m_textPosition = p;
  m_userTextPosition = true;
  m_blockOutOfDate = true;
}

void OdDbDimension::useDefaultTextPosition() {
  assertWriteEnabled();
  m_userTextPosition = false;
  m_blockOutOfDate = true;
}

void OdDbDimension::useSetTextPosition() {
  assertWriteEnabled();
  m_userTextPosition = true;
  m_blockOutOfDate = true;
}

void OdDbDimension::setTextRotation(double radians) {
  if (!std::isfinite(radians)) throw OdError(eInvalidInput, "text rotation must be a number");
  assertWriteEnabled();
  m_textRotation = radians;
  m_blockOutOfDate = true;
}

void OdDbDimension::setHorizontalRotation(double radians) {
  if (!std::isfinite(radians)) throw OdError(eInvalidInput, "horizontal rotation must be a number");
  assertWriteEnabled();
  m_horizontalRotation = radians;
  m_blockOutOfDate = true;
}

void OdDbDimension::setNormal(const OdGeVector3d& n) {
  if (n.length() == 0) throw OdError(eInvalidInput, "a normal must not be zero");
  assertWriteEnabled();
  m_normal = n * (1.0 / n.length());
  m_blockOutOfDate = true;
}

void OdDbDimension::setDimBlockId(OdDbObjectId block) {
  setHardRef(m_block, block);
  m_blockOutOfDate = false;
}

void OdDbDimension::recomputeDimBlock(bool forceUpdate) {
  if (!forceUpdate && !m_blockOutOfDate) return;
  if (gBuilder) gBuilder(this);
}

void OdDbDimension::forEachHardRef(OdDbRefVisitor& v) const {
  OdDbDimStyleEntity::forEachHardRef(v);
  v.visit(m_block);
}

double OdDbRotatedDimension::getMeasurement() const {
  const OdGeVector3d d = m_xLine2Point - m_xLine1Point;
  return std::fabs(d.x * std::cos(m_rotation) + d.y * std::sin(m_rotation));
}

double OdDbAlignedDimension::getMeasurement() const { return m_xLine1Point.distanceTo(m_xLine2Point); }

double OdDbArcDimension::getMeasurement() const {
  const double r = m_center.distanceTo(m_xLine1Point);
  double a = sweep(angleOf(m_xLine1Point - m_center), angleOf(m_xLine2Point - m_center));
  // The arc runs through arcPoint; take the other way round when it does not.
  const double toArc = sweep(angleOf(m_xLine1Point - m_center), angleOf(m_arcPoint - m_center));
  if (toArc > a) a = 2 * std::numbers::pi - a;
  return r * a;
}

double OdDbDiametricDimension::getMeasurement() const { return m_chordPoint.distanceTo(m_farChordPoint); }

double OdDbRadialDimension::getMeasurement() const { return m_center.distanceTo(m_chordPoint); }

double OdDb2LineAngularDimension::getMeasurement() const {
  const OdGeVector3d d1 = m_xLine1End - m_xLine1Start, d2 = m_xLine2End - m_xLine2Start;
  const double a1 = angleOf(d1), a2 = angleOf(d2);
  const double between = std::fabs(std::remainder(a2 - a1, 2 * std::numbers::pi));
  // The lines cross at the vertex and make four sectors; the dimension
  // measures the one its arc point lies in (the angle or its supplement),
  // which is where its arc is drawn.
  const double cross = d1.x * d2.y - d1.y * d2.x;
  if (std::fabs(cross) <= 1e-12 * d1.length() * d2.length()) return between;  // parallel: no vertex
  const OdGeVector3d w = m_xLine2Start - m_xLine1Start;
  const double t = (w.x * d2.y - w.y * d2.x) / cross;
  const OdGeVector3d toArc = m_arcPoint - (m_xLine1Start + d1 * t);
  if (toArc.length() == 0) return between;
  const double through = angleOf(toArc);
  double ahead = 2 * std::numbers::pi, behind = 2 * std::numbers::pi;
  for (double ray : {a1, a1 + std::numbers::pi, a2, a2 + std::numbers::pi}) {
    ahead = std::min(ahead, sweep(through, ray));
    behind = std::min(behind, sweep(ray, through));
  }
  return ahead + behind;
}

double OdDb3PointAngularDimension::getMeasurement() const {
  const double a1 = angleOf(m_xLine1Point - m_centerPoint), a2 = angleOf(m_xLine2Point - m_centerPoint);
  double a = sweep(a1, a2);
  const double toArc = sweep(a1, angleOf(m_arcPoint - m_centerPoint));
  if (m_arcPoint != OdGePoint3d() && toArc > a) a = 2 * std::numbers::pi - a;
  return a;
}

double OdDbOrdinateDimension::getMeasurement() const {
  const OdGeVector3d d = m_definingPoint - m_origin;
  return std::fabs(m_xAxis ? d.x : d.y);
}

void QrHugeRadius::setJogAngle(double radians) {
  // A jog needs a real bend: between 5 and 90 degrees, as drafters use it.
  if (!(radians >= 5 * std::numbers::pi / 180 - 1e-12 && radians <= std::numbers::pi / 2 + 1e-12))
    throw OdError(eOutOfRange, "jog angle must be between 5 and 90 degrees");
  geometryChanged();
  m_jogAngle = radians;
}

double QrHugeRadius::getMeasurement() const { return m_center.distanceTo(m_chordPoint); }
