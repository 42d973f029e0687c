#pragma once
// Small builders shared by the database tests.
#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "OdDbDimStyleTableRecord.h"
#include "OdDbDimension.h"
#include "OdDbLeader.h"
#include <gtest/gtest.h>

// The error `action` throws; a test failure, and no error, when it throws none.
template <class Action>
OdError thrownError(Action&& action) {
  try {
    action();
  } catch (const OdError& e) {
    return e;
  }
  ADD_FAILURE() << "no error was thrown";
  return OdError(eOk);
}

inline OdDbObjectId addStyle(OdDbDatabase& db, const OdString& name, double asz = 0.18) {
  OdDbDimStyleTablePtr table = db.getDimStyleTableId().safeOpenObject(OdDb::kForWrite);
  OdDbDimStyleTableRecordPtr rec = OdDbDimStyleTableRecord::createObject();
  rec->setName(name);
  rec->setDimasz(asz);
  return table->add(rec);
}

inline OdDbObjectId addRotatedDim(OdDbDatabase& db, OdDbObjectId style) {
  OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject(OdDb::kForWrite);
  OdDbRotatedDimensionPtr dim = OdDbRotatedDimension::createObject();
  dim->setXLine1Point({0, 0});
  dim->setXLine2Point({10, 0});
  dim->setDimLinePoint({5, 3});
  dim->setDimensionStyle(style);
  return ms->appendOdDbEntity(dim);
}

inline OdDbObjectId addLeader(OdDbDatabase& db, OdDbObjectId style) {
  OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject(OdDb::kForWrite);
  OdDbLeaderPtr ldr = OdDbLeader::createObject();
  ldr->appendVertex({0, 0});
  ldr->appendVertex({5, 5});
  ldr->setDimensionStyle(style);
  return ms->appendOdDbEntity(ldr);
}
