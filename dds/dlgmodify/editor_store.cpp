#include "editor_store.h"

#include "OdDbBlockTableRecord.h"
#include "OdDbDimVarRange.h"
#include "OdDmUtil.h"
#include "OdResult.h"
#include "OdStringUtil.h"
#include "dlgdimstyle/style_listing.h"
#include "dlgdimstyle/style_store.h"
#include "stdafx/module_resources.h"
#include "text_format.h"
#include "wndpreview/sample_values.h"

namespace dds {
namespace {

int varIndex(std::string_view name) {
  const std::optional<int> index = OdDbDimVars::indexOf(name);
  if (!index) throw OdError(eInvalidInput, OdString("no dimension variable ") + OdString(std::string(name)));
  return *index;
}

bool isLinetypeVar(int var) {
  static const int ltype = varIndex("DIMLTYPE"), ltex1 = varIndex("DIMLTEX1"), ltex2 = varIndex("DIMLTEX2");
  return var == ltype || var == ltex1 || var == ltex2;
}

// The variables a leader child takes from its parent when it still holds
// the parent's value.
bool reachesLeaderChild(int var) {
  static const int vars[] = {varIndex("DIMTXSTY"), varIndex("DIMLTYPE"), varIndex("DIMLDRBLK"), varIndex("DIMASZ"),
                             varIndex("DIMCLRD"),  varIndex("DIMGAP"),   varIndex("DIMLWD"),    varIndex("DIMSCALE"),
                             varIndex("DIMTAD"),   varIndex("DIMTXT")};
  for (int v : vars)
    if (v == var) return true;
  return false;
}

OdDbDimStyleTableRecordPtr openStyleForWrite(OdDbDatabase* db, const OdString& name) {
  OdDbDimStyleTablePtr table = db->getDimStyleTableId().safeOpenObject();
  const OdDbObjectId id = table->getAt(name);
  if (id.isNull()) return OdDbDimStyleTableRecordPtr();
  return OdDbDimStyleTableRecordPtr(id.safeOpenObject(OdDb::kForWrite));
}

}  // namespace

StoredValue& EditorStore::put(std::string_view name, const OdDbDimVarValue& value) {
  StoredValue stored;
  stored.var = varIndex(name);
  stored.value = value;
  m_values.push_back(std::move(stored));
  return m_values.back();
}

OdDbObjectId EditorStore::linetypeId(const OdString& name) const {
  if (!m_db || qrv::equalNoCase(name, "ByBlock")) return OdDbObjectId();
  if (qrv::equalNoCase(name, "ByLayer")) return m_db->getLinetypeByLayerId();
  OdDbObjectPtr table = m_db->getLinetypeTableId().safeOpenObject();
  const auto* linetypes = dynamic_cast<const OdDbSymbolTable*>(table.get());
  return linetypes ? linetypes->getAt(name) : OdDbObjectId();
}

OdDbObjectId EditorStore::arrowId(const OdString& blockName) const {
  if (!m_db || blockName.empty()) return OdDbObjectId();
  if (m_arrowSource && !OdDmUtil::isBuiltInArrow(blockName)) {
    try {
      return sampleArrowFrom(*m_arrowSource, blockName, *m_db);
    } catch (const OdError&) {
      return OdDbObjectId();  // the preview shows the default arrowhead
    }
  }
  return OdDmUtil::getArrowId(blockName, m_db);
}

void EditorStore::refuseText(const OdString& field, const OdString& text) {
  for (const OdString& f : m_refusedFields)
    if (f == field) return;
  m_refusedFields.push_back(field);
  m_refusedTexts.push_back(hostFormat(translate("%s: \"%s\" is not a number.").c_str(), field.c_str(), text.c_str()));
}

bool sameEditorValue(int var, const OdDbDimVarValue& a, const OdDbDimVarValue& b, const OdDbDatabase* db) {
  if (db && isLinetypeVar(var)) {
    const auto* x = std::get_if<OdDbObjectId>(&a);
    const auto* y = std::get_if<OdDbObjectId>(&b);
    if (x && y) {
      const OdDbObjectId byBlock = db->getLinetypeByBlockId();
      return (x->isNull() ? byBlock : *x) == (y->isNull() ? byBlock : *y);
    }
  }
  return odDimVarValueEqual(a, b);
}

OdString refusedValueMessage(const EditorStore& store, const std::function<OdDbDimVarValue(int)>& held) {
  if (!store.refusedTexts().empty()) return store.refusedTexts().front();
  for (const StoredValue& v : store.values()) {
    if (odDbDimVarValueAllowed(v.var, v.value) || sameEditorValue(v.var, v.value, held(v.var), store.database()))
      continue;
    const OdString name = OdDbDimVars::describe(v.var).name;
    const OdString range = odDbDimVarRangeText(v.var);
    return range.empty() ? hostFormat(translate("%s cannot take the value entered.").c_str(), name.c_str())
                         : hostFormat(translate("%s must be in the range %s.").c_str(), name.c_str(), range.c_str());
  }
  return OdString();
}

EditorStore withoutRefusedValues(const EditorStore& store) {
  EditorStore kept(store.database());
  for (const StoredValue& v : store.values())
    if (odDbDimVarValueAllowed(v.var, v.value)) kept.put(OdDbDimVars::describe(v.var).name, v.value) = v;
  return kept;
}

void writeStyleValues(OdDbDimStyleTableRecord* record, const EditorStore& store) {
  OdDbDatabase* db = record->database();
  if (!db) throw OdError(eNotInDatabase, "the style is not in a drawing");
  const bool current = db->getDimstyle() == record->objectId();
  const bool overridden = current && hasOverrides(record, db);

  // A child style that is not current passes nothing on: it has no children.
  std::vector<OdDbDimStyleTableRecordPtr> children;
  OdDbDimStyleTableRecordPtr leaderChild;
  if (current || !parseChildStyle(record->objectId())) {
    const OdString name = record->getName();
    for (int digit : kChildDigits) {
      OdDbDimStyleTableRecordPtr child = openStyleForWrite(db, childStyleName(name, digit));
      if (!child) continue;
      if (digit == kChildLeader)
        leaderChild = child;
      else
        children.push_back(child);
    }
  }

  if (leaderChild) {
    for (const StoredValue& v : store.values()) {
      if (!reachesLeaderChild(v.var) || !v.reachesChildren) continue;
      const OdDbDimVarValue& proposed = v.leaderValue ? *v.leaderValue : v.value;
      const OdDbDimVarValue old = record->dimVar(v.var);
      if (!sameEditorValue(v.var, proposed, old, db) && sameEditorValue(v.var, leaderChild->dimVar(v.var), old, db))
        leaderChild->setDimVar(v.var, proposed);
    }
  }

  for (const StoredValue& v : store.values()) {
    const OdDbDimVarValue old = record->dimVar(v.var);
    if (sameEditorValue(v.var, v.value, old, db)) continue;
    // A variable the user has overridden keeps the override.
    if (current && !(overridden && !sameEditorValue(v.var, db->dimVar(v.var), old, db))) db->setDimVar(v.var, v.value);
    if (v.reachesChildren)
      for (const OdDbDimStyleTableRecordPtr& child : children)
        if (sameEditorValue(v.var, child->dimVar(v.var), old, db)) child->setDimVar(v.var, v.value);
    record->setDimVar(v.var, v.value);
  }
}

void writeCurrentValues(OdDbDatabase* db, const EditorStore& store) {
  for (const StoredValue& v : store.values())
    if (!sameEditorValue(v.var, v.value, db->dimVar(v.var), db)) db->setDimVar(v.var, v.value);
}

}  // namespace dds
