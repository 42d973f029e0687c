#include "OdDbTransformParts.h"

namespace oddbtransform {

bool mapDefinitionPoints(OdDbDimension& d, const PointMap& f) {
  bool moved = false;
  auto step = [&](auto& dim, OdGePoint3d (std::remove_reference_t<decltype(dim)>::*get)() const,
                  void (std::remove_reference_t<decltype(dim)>::*set)(const OdGePoint3d&)) {
    const OdGePoint3d before = (dim.*get)(), after = f(before);
    if (after == before) return;
    (dim.*set)(after);
    moved = true;
  };
  if (auto r = OdDbRotatedDimension::cast(&d)) {
    using T = OdDbRotatedDimension;
    step(*r, &T::xLine1Point, &T::setXLine1Point), step(*r, &T::xLine2Point, &T::setXLine2Point);
    step(*r, &T::dimLinePoint, &T::setDimLinePoint);
  } else if (auto a = OdDbAlignedDimension::cast(&d)) {
    using T = OdDbAlignedDimension;
    step(*a, &T::xLine1Point, &T::setXLine1Point), step(*a, &T::xLine2Point, &T::setXLine2Point);
    step(*a, &T::dimLinePoint, &T::setDimLinePoint);
  } else if (auto c = OdDbArcDimension::cast(&d)) {
    using T = OdDbArcDimension;
    step(*c, &T::center, &T::setCenter), step(*c, &T::xLine1Point, &T::setXLine1Point);
    step(*c, &T::xLine2Point, &T::setXLine2Point), step(*c, &T::arcPoint, &T::setArcPoint);
    // Without a leader its points are unset (at the origin): nothing to carry.
    if (c->hasLeader())
      step(*c, &T::leader1Point, &T::setLeader1Point), step(*c, &T::leader2Point, &T::setLeader2Point);
  } else if (auto di = OdDbDiametricDimension::cast(&d)) {
    using T = OdDbDiametricDimension;
    step(*di, &T::chordPoint, &T::setChordPoint), step(*di, &T::farChordPoint, &T::setFarChordPoint);
  } else if (auto ra = OdDbRadialDimension::cast(&d)) {
    using T = OdDbRadialDimension;
    step(*ra, &T::center, &T::setCenter), step(*ra, &T::chordPoint, &T::setChordPoint);
  } else if (auto l2 = OdDb2LineAngularDimension::cast(&d)) {
    using T = OdDb2LineAngularDimension;
    step(*l2, &T::xLine1Start, &T::setXLine1Start), step(*l2, &T::xLine1End, &T::setXLine1End);
    step(*l2, &T::xLine2Start, &T::setXLine2Start), step(*l2, &T::xLine2End, &T::setXLine2End);
    step(*l2, &T::arcPoint, &T::setArcPoint);
  } else if (auto p3 = OdDb3PointAngularDimension::cast(&d)) {
    using T = OdDb3PointAngularDimension;
    step(*p3, &T::centerPoint, &T::setCenterPoint), step(*p3, &T::xLine1Point, &T::setXLine1Point);
    step(*p3, &T::xLine2Point, &T::setXLine2Point), step(*p3, &T::arcPoint, &T::setArcPoint);
  } else if (auto o = OdDbOrdinateDimension::cast(&d)) {
    using T = OdDbOrdinateDimension;
    step(*o, &T::origin, &T::setOrigin), step(*o, &T::definingPoint, &T::setDefiningPoint);
    step(*o, &T::leaderEndPoint, &T::setLeaderEndPoint);
  } else if (auto j = QrHugeRadius::cast(&d)) {
    using T = QrHugeRadius;
    step(*j, &T::center, &T::setCenter), step(*j, &T::chordPoint, &T::setChordPoint);
    step(*j, &T::overrideCenter, &T::setOverrideCenter), step(*j, &T::jogPoint, &T::setJogPoint);
  }
  return moved;
}

bool mapTextPosition(OdDbDimension& d, const PointMap& f) {
  const OdGePoint3d before = d.textPosition(), after = f(before);
  if (after == before) return false;
  const bool chosen = d.isUsingDefaultTextPosition();
  d.setTextPosition(after);
  if (chosen) d.useDefaultTextPosition();
  return true;
}

}  // namespace oddbtransform
