#include "OdDbDimStyleTableRecord.h"

#include "OdDbDatabase.h"
#include "OdDmUtil.h"

ODDB_DEFINE_MEMBERS(OdDbDimStyleTableRecord, OdDbSymbolTableRecord, "DIMSTYLE")
ODDB_DEFINE_MEMBERS(OdDbDimStyleTable, OdDbSymbolTable, "TABLE")

OdDbDimStyleTableRecord::OdDbDimStyleTableRecord() : m_vars(OdDbDimVars::imperialDefaults()) {}

#define ODDB_DIMVAR_SETTER(key, Type, code) \
  void OdDbDimStyleTableRecord::setDim##key(const Type& value) { assignVar(m_vars.key, value); }
ODDB_DIMVARS(ODDB_DIMVAR_SETTER)
#undef ODDB_DIMVAR_SETTER

void OdDbDimStyleTableRecord::setDimVars(const OdDbDimVars& vars) {
#define ODDB_DIMVAR_COPY(key, Type, code) assignVar(m_vars.key, vars.key);
  ODDB_DIMVARS(ODDB_DIMVAR_COPY)
#undef ODDB_DIMVAR_COPY
}

void OdDbDimStyleTableRecord::setDimVar(int index, const OdDbDimVarValue& value) {
  OdDbDimVars probe;
  probe.set(index, value);  // checks the index and the kind of value
  int i = 0;
#define ODDB_DIMVAR_SETONE(key, Type, code) \
  if (i++ == index) return assignVar(m_vars.key, probe.key);
  ODDB_DIMVARS(ODDB_DIMVAR_SETONE)
#undef ODDB_DIMVAR_SETONE
}

OdString OdDbDimStyleTableRecord::dimblkName() const { return OdDmUtil::arrowName(m_vars.blk); }

void OdDbDimStyleTableRecord::setDimblk(const OdString& name) {
  OdDbDatabase* db = database();
  if (!db) throw OdError(eNotInDatabase, "arrow blocks need a database");
  setDimblk(OdDmUtil::getArrowId(name, db));
}

void OdDbDimStyleTableRecord::forEachHardRef(OdDbRefVisitor& visitor) const {
  m_vars.forEachObjectId([&](OdDbObjectId id) { visitor.visit(id); });
}
