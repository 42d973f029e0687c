#include "OdDbEntityKinds.h"

#include <array>

#include "OdDbCurves.h"
#include "OdDbDimension.h"
#include "OdDbEntities.h"
#include "OdDbFaces.h"
#include "OdDbLeader.h"

namespace {

template <class T>
OdDbObjectPtr make() {
  return T::createObject();
}

template <class T>
constexpr OdDbEntityClass entry(OdDbEntityKind kind) {
  return {kind, &T::desc, &make<T>};
}

using K = OdDbEntityKind;
const std::array kClasses = {
    entry<OdDbLine>(K::kLine),
    entry<OdDbCircle>(K::kCircle),
    entry<OdDbArc>(K::kArc),
    entry<OdDbPolyline>(K::kPolyline),
    entry<OdDbText>(K::kText),
    entry<OdDbMText>(K::kMText),
    entry<OdDbBlockReference>(K::kInsert),
    entry<OdDbPoint>(K::kPoint),
    entry<OdDbSolid>(K::kSolid),
    entry<OdDbEllipse>(K::kEllipse),
    entry<OdDbSpline>(K::kSpline),
    entry<OdDbRay>(K::kRay),
    entry<OdDbXline>(K::kXline),
    entry<OdDbFace>(K::kFace),
    entry<OdDbTrace>(K::kTrace),
    entry<OdDbRotatedDimension>(K::kDimension),
    entry<OdDbAlignedDimension>(K::kDimension),
    entry<OdDb2LineAngularDimension>(K::kDimension),
    entry<OdDbDiametricDimension>(K::kDimension),
    entry<OdDbRadialDimension>(K::kDimension),
    entry<OdDb3PointAngularDimension>(K::kDimension),
    entry<OdDbOrdinateDimension>(K::kDimension),
    entry<OdDbArcDimension>(K::kDimension),
    entry<QrHugeRadius>(K::kDimension),
    entry<OdDbLeader>(K::kLeader),
};

}  // namespace

std::span<const OdDbEntityClass> odDbEntityClasses() { return kClasses; }

OdDbEntityKind odDbEntityKind(const OdDbEntity* e) {
  if (!e) return K::kForeign;
  const OdRxClass* cls = e->isA();
  for (const OdDbEntityClass& c : kClasses)
    if (c.desc() == cls) return c.kind;
  return K::kForeign;
}
