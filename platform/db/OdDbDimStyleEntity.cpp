#include "OdDbDimStyleEntity.h"

#include "OdDbDatabase.h"
#include "OdDbDimStyleTableRecord.h"

ODDB_DEFINE_ABSTRACT(OdDbDimStyleEntity, OdDbEntity, "")

namespace {
OdDbObjectIdArray idsOf(const OdDbDimOverrides& o) {
  OdDbObjectIdArray ids;
  o.forEachObjectId([&](OdDbObjectId id) { ids.push_back(id); });
  return ids;
}
}  // namespace

void OdDbDimStyleEntity::setDimensionStyle(OdDbObjectId style) {
  if (!style.isNull()) {
    OdDbObjectPtr obj = style.openObject();
    if (!obj || !obj->isKindOf(OdDbDimStyleTableRecord::desc()))
      throw OdError(eInvalidInput, "not a dimension style");
  }
  setHardRef(m_style, style);
  dimVarsChanged();
}

OdDbDimVars OdDbDimStyleEntity::styleDimVars() const {
  if (OdDbObjectPtr obj = m_style.openObject()) {
    if (auto rec = OdDbDimStyleTableRecord::cast(obj.get())) return rec->dimVars();
  }
  // A missing style: the values of a new drawing of the same measurement,
  // so the entity still shows something sensible.
  OdDbDatabase* db = database();
  return (db && db->getMEASUREMENT() == OdDb::kMetric) ? OdDbDimVars::metricDefaults()
                                                        : OdDbDimVars::imperialDefaults();
}

OdDbDimVars OdDbDimStyleEntity::effectiveDimVars() const {
  OdDbDimVars vars = styleDimVars();
  m_overrides.applyTo(vars);
  return vars;
}

void OdDbDimStyleEntity::getDimstyleData(OdDbDimStyleTableRecord* rec) const {
  if (!rec) throw OdError(eNullObjectPointer, "no record to fill");
  rec->setDimVars(effectiveDimVars());
}

void OdDbDimStyleEntity::replaceOverrides(OdDbDimOverrides overrides) {
  if (overrides == m_overrides) return;
  assertWriteEnabled();
  retargetHardRefs(idsOf(m_overrides), idsOf(overrides));
  m_overrides = std::move(overrides);
  dimVarsChanged();
}

void OdDbDimStyleEntity::setDimstyleData(const OdDbDimStyleTableRecord* rec) {
  if (!rec) throw OdError(eNullObjectPointer, "no style data");
  replaceOverrides(OdDbDimOverrides::difference(rec->dimVars(), styleDimVars()));
}

void OdDbDimStyleEntity::setDimstyleData(OdDbObjectId styleRecordId) {
  OdDbDimStyleTableRecordPtr rec = styleRecordId.safeOpenObject();
  setDimstyleData(rec.get());
}

void OdDbDimStyleEntity::setDimOverride(int index, const OdDbDimVarValue& value) {
  OdDbDimOverrides next = m_overrides;
  next.set(index, value);
  replaceOverrides(std::move(next));
}

void OdDbDimStyleEntity::removeDimOverride(int index) {
  OdDbDimOverrides next = m_overrides;
  if (next.remove(index)) replaceOverrides(std::move(next));
}

void OdDbDimStyleEntity::clearDimOverrides() { replaceOverrides(OdDbDimOverrides()); }

OdDbDimVarValue OdDbDimStyleEntity::dimVar(int index) const {
  if (const OdDbDimVarValue* v = m_overrides.find(index)) return *v;
  return styleDimVars().get(index);
}

void OdDbDimStyleEntity::setDimVar(int index, const OdDbDimVarValue& value) {
  OdDbDimVars style = styleDimVars();
  OdDbDimVars wanted = style;
  wanted.set(index, value);
  if (wanted.equal(index, style))
    removeDimOverride(index);
  else
    setDimOverride(index, wanted.get(index));
}

// Reading one variable reads it straight from the style record: copying all
// 78 values for one would make a palette row over a big selection slow.
#define ODDB_ENTITY_DIMVAR_IMPL(key, Type, code)                                  \
  Type OdDbDimStyleEntity::dim##key() const {                                     \
    static const int index = *OdDbDimVars::indexOf(#key);                         \
    if (const OdDbDimVarValue* v = m_overrides.find(index)) {                     \
      OdDbDimVars probe;                                                          \
      probe.set(index, *v);                                                       \
      return probe.key;                                                           \
    }                                                                             \
    if (OdDbObjectPtr obj = m_style.openObject())                                 \
      if (const auto* rec = dynamic_cast<const OdDbDimStyleTableRecord*>(obj.get())) \
        return rec->dimVars().key;                                                \
    return styleDimVars().key;                                                    \
  }                                                                               \
  void OdDbDimStyleEntity::setDim##key(const Type& value) {                       \
    static const int index = *OdDbDimVars::indexOf(#key);                         \
    OdDbDimVars probe;                                                            \
    probe.key = value;                                                            \
    setDimVar(index, probe.get(index));                                           \
  }
ODDB_DIMVARS(ODDB_ENTITY_DIMVAR_IMPL)
#undef ODDB_ENTITY_DIMVAR_IMPL

void OdDbDimStyleEntity::forEachHardRef(OdDbRefVisitor& v) const {
  OdDbEntity::forEachHardRef(v);
  v.visit(m_style);
  m_overrides.forEachObjectId([&](OdDbObjectId id) { v.visit(id); });
}
