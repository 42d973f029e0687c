#pragma once
// Dimensions and leaders a test adds to a drawing's model space.
#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "OdDbDimension.h"
#include "OdDbLeader.h"

// A rotated dimension of length 10 along x, starting at (x, 0).
inline OdDbObjectId addRotatedDim(OdDbDatabase& db, OdDbObjectId style, double x = 0) {
  OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject(OdDb::kForWrite);
  OdDbRotatedDimensionPtr dim = OdDbRotatedDimension::createObject();
  dim->setXLine1Point({x, 0});
  dim->setXLine2Point({x + 10, 0});
  dim->setDimLinePoint({x + 5, 3});
  dim->setDimensionStyle(style);
  return ms->appendOdDbEntity(dim);
}

// A leader of two vertices, from `start` up and to the right by 5.
inline OdDbObjectId addLeader(OdDbDatabase& db, OdDbObjectId style, OdGePoint3d start = {0, 0, 0}) {
  OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject(OdDb::kForWrite);
  OdDbLeaderPtr ldr = OdDbLeader::createObject();
  ldr->appendVertex(start);
  ldr->appendVertex({start.x + 5, start.y + 5, start.z});
  ldr->setDimensionStyle(style);
  return ms->appendOdDbEntity(ldr);
}
