#pragma once
// Small builders shared by the database tests.
#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "OdDbDimStyleTableRecord.h"
#include "OdDbDimension.h"
#include "OdDbLeader.h"
#include "../shared/dimension_builders.h"
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
