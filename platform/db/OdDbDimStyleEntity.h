#pragma once
// What dimensions and leaders share: a dimension style and per-entity
// overrides of its variables. Every dimension variable can be read (the
// style's value unless overridden) and written (an override, dropped again
// when it equals the style's value) on the entity itself.
#include "OdDbDimOverrides.h"
#include "OdDbEntity.h"

class OdDbDimStyleTableRecord;
class OdDbDimStyleEntity;
using OdDbDimStyleEntityPtr = OdSmartPtr<OdDbDimStyleEntity>;

class OdDbDimStyleEntity : public OdDbEntity {
  ODDB_DECLARE_ABSTRACT(OdDbDimStyleEntity)
public:
  OdDbObjectId dimensionStyle() const { return m_style; }
  void setDimensionStyle(OdDbObjectId style);

  // The style's values with this entity's overrides applied.
  OdDbDimVars effectiveDimVars() const;
  // Fills rec (usually a temporary record) with those values.
  void getDimstyleData(OdDbDimStyleTableRecord* rec) const;
  // Makes the entity show rec's values: stores the differences from the
  // entity's style as overrides.
  void setDimstyleData(const OdDbDimStyleTableRecord* rec);
  void setDimstyleData(OdDbObjectId styleRecordId);

  const OdDbDimOverrides& dimOverrides() const { return m_overrides; }
  // Sets one override as stored, even when it equals the style's value (for
  // file readers, which keep what the file says).
  void setDimOverride(int index, const OdDbDimVarValue& value);
  void removeDimOverride(int index);
  void clearDimOverrides();

  OdDbDimVarValue dimVar(int index) const;
  void setDimVar(int index, const OdDbDimVarValue& value);

#define ODDB_ENTITY_DIMVAR(key, Type, code) \
  Type dim##key() const;                    \
  void setDim##key(const Type& value);
  ODDB_DIMVARS(ODDB_ENTITY_DIMVAR)
#undef ODDB_ENTITY_DIMVAR

  void forEachHardRef(OdDbRefVisitor& visitor) const override;

protected:
  OdDbDimStyleEntity() = default;
  // Called after any change of the effective values (dimensions mark their
  // geometry out of date).
  virtual void dimVarsChanged() {}

private:
  OdDbDimVars styleDimVars() const;
  void replaceOverrides(OdDbDimOverrides overrides);

  OdDbObjectId m_style;
  OdDbDimOverrides m_overrides;
};
