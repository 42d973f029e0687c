#pragma once
// Registered applications: the names under which extended data is stored.
#include "OdDbSymbolTable.h"

class OdDbRegAppTableRecord : public OdDbSymbolTableRecord {
  ODDB_DECLARE_MEMBERS(OdDbRegAppTableRecord)
};
using OdDbRegAppTableRecordPtr = OdSmartPtr<OdDbRegAppTableRecord>;
ODDB_DECLARE_TABLE(OdDbRegAppTable, OdDbRegAppTableRecord)
