#pragma once
// A drawing's model space with one dimension of every class, apart from one
// another and all in the Standard style.
#include <vector>

#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "OdDbDimension.h"

// Adds rotated, aligned, radial, diametric, two-line and three-point
// angular, ordinate, arc length and jogged radius dimensions, in that order.
inline std::vector<OdDbObjectId> addOneDimensionOfEveryKind(OdDbDatabase& db) {
  OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject(OdDb::kForWrite);
  std::vector<OdDbObjectId> ids;
  auto add = [&](OdDbDimensionPtr d) {
    d->setDimensionStyle(db.getDimStyleStandardId());
    ids.push_back(ms->appendOdDbEntity(d));
  };
  OdDbRotatedDimensionPtr rot = OdDbRotatedDimension::createObject();
  rot->setXLine1Point({0, 0}), rot->setXLine2Point({10, 0}), rot->setDimLinePoint({5, 3}), rot->setRotation(0.5);
  add(rot);
  OdDbAlignedDimensionPtr al = OdDbAlignedDimension::createObject();
  al->setXLine1Point({20, 0}), al->setXLine2Point({26, 8}), al->setDimLinePoint({21, 10});
  add(al);
  OdDbRadialDimensionPtr rad = OdDbRadialDimension::createObject();
  rad->setCenter({40, 0}), rad->setChordPoint({45, 0});
  add(rad);
  OdDbDiametricDimensionPtr dia = OdDbDiametricDimension::createObject();
  dia->setChordPoint({55, 0}), dia->setFarChordPoint({65, 0});
  add(dia);
  OdDb2LineAngularDimensionPtr a2 = OdDb2LineAngularDimension::createObject();
  a2->setXLine1Start({0, 20}), a2->setXLine1End({10, 20}), a2->setXLine2Start({0, 20}), a2->setXLine2End({7, 27});
  a2->setArcPoint({8, 23});
  add(a2);
  OdDb3PointAngularDimensionPtr a3 = OdDb3PointAngularDimension::createObject();
  a3->setCenterPoint({20, 20}), a3->setXLine1Point({30, 20}), a3->setXLine2Point({20, 30}), a3->setArcPoint({27, 27});
  add(a3);
  OdDbOrdinateDimensionPtr ord = OdDbOrdinateDimension::createObject();
  ord->setOrigin({40, 10}), ord->setDefiningPoint({40, 20}), ord->setLeaderEndPoint({40, 28}), ord->useYAxis();
  add(ord);
  OdDbArcDimensionPtr arc = OdDbArcDimension::createObject();
  arc->setCenter({60, 20}), arc->setXLine1Point({65, 20}), arc->setXLine2Point({60, 25}), arc->setArcPoint({64, 24});
  arc->setArcStartParam(0), arc->setArcEndParam(1.5707963267948966);
  add(arc);
  QrHugeRadiusPtr huge = QrHugeRadius::createObject();
  huge->setCenter({80, 0}), huge->setChordPoint({88, 6}), huge->setOverrideCenter({84, -4}), huge->setJogPoint({86, 2});
  add(huge);
  return ids;
}
