#pragma once
// A dimension style: a named set of the 78 dimension variables.
#include "OdDbDimVars.h"
#include "OdDbSymbolTable.h"

class OdDbDimStyleTableRecord : public OdDbSymbolTableRecord {
  ODDB_DECLARE_MEMBERS(OdDbDimStyleTableRecord)
public:
  OdDbDimStyleTableRecord();

#define ODDB_DIMVAR_ACCESSORS(key, Type, code)          \
  Type dim##key() const { return m_vars.key; }          \
  void setDim##key(const Type& value);
  ODDB_DIMVARS(ODDB_DIMVAR_ACCESSORS)
#undef ODDB_DIMVAR_ACCESSORS

  // All variables at once.
  const OdDbDimVars& dimVars() const { return m_vars; }
  void setDimVars(const OdDbDimVars& vars);
  OdDbDimVarValue dimVar(int index) const { return m_vars.get(index); }
  void setDimVar(int index, const OdDbDimVarValue& value);

  // The arrow blocks by name, as users and files give them ("" for the
  // default closed filled arrow); creates built-in arrow blocks as needed.
  OdString dimblkName() const;
  void setDimblk(const OdString& name);

  void forEachHardRef(OdDbRefVisitor& visitor) const override;

private:
  void assignVar(OdDbObjectId& field, const OdDbObjectId& value) { setHardRef(field, value); }
  template <class T>
  void assignVar(T& field, const T& value) {
    assertWriteEnabled();
    field = value;
  }

  OdDbDimVars m_vars;
};
using OdDbDimStyleTableRecordPtr = OdSmartPtr<OdDbDimStyleTableRecord>;

ODDB_DECLARE_TABLE(OdDbDimStyleTable, OdDbDimStyleTableRecord)
