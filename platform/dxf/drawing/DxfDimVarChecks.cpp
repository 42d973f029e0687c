#include "DxfDimVarChecks.h"

#include "DxfDocument.h"
#include "OdDbDatabase.h"
#include "OdDbDimStyleEntity.h"
#include "OdDbDimStyleTableRecord.h"
#include "OdDbDimVarRange.h"
#include "OdDbSymbolTable.h"

std::uint32_t DxfDimVarLines::lineOf(OdDbObjectId owner, int index) const {
  if (auto it = values.find({owner, index}); it != values.end()) return it->second;
  auto it = records.find(owner);
  return it == records.end() ? 0 : it->second;
}

namespace {

void report(std::vector<std::string>& warnings, std::uint32_t line, const std::string& where, const OdString& why,
            const char* instead) {
  warnings.push_back("line " + std::to_string(line) + ": " + where + why + "; " + instead);
}

}  // namespace

void dxfRepairUnstorableDimVars(OdDbDatabase& db, const DxfDocument& doc, const DxfDimVarLines& lines,
                                std::vector<std::string>& warnings) {
  const OdDbDimVars defaults =
      db.getMEASUREMENT() == OdDb::kMetric ? OdDbDimVars::metricDefaults() : OdDbDimVars::imperialDefaults();
  for (int i = 0; i < OdDbDimVars::kCount; ++i) {
    if (odDbDimVarValueStorable(i, db.dimVar(i))) continue;
    const DxfHeaderVariable* v = doc.headerVariable("$" + std::string(OdDbDimVars::describe(i).name));
    report(warnings, v ? v->firstLine : 0, "", odDbCheckDimVarValue(i, db.dimVar(i)), "the default is used");
    db.setDimVar(i, defaults.get(i));
  }
  if (OdDbSymbolTablePtr styles = OdDbSymbolTable::cast(db.getDimStyleTableId().openObject())) {
    for (auto it = styles->newIterator(); !it->done(); it->step()) {
      OdDbDimStyleTableRecordPtr style = OdDbDimStyleTableRecord::cast(it->getRecordId().openObject());
      if (!style) continue;
      for (int i = 0; i < OdDbDimVars::kCount; ++i) {
        if (odDbDimVarValueStorable(i, style->dimVar(i))) continue;
        report(warnings, lines.lineOf(style->objectId(), i), "dimension style \"" + style->getName() + "\": ",
               odDbCheckDimVarValue(i, style->dimVar(i)), "the default is used");
        style->upgradeOpen();
        style->setDimVar(i, defaults.get(i));
      }
    }
  }
  for (const OdDbObjectId& id : lines.overridden) {
    OdDbDimStyleEntityPtr ent = OdDbDimStyleEntity::cast(id.openObject());
    if (!ent) continue;
    std::vector<int> unstorable;
    for (const auto& [i, v] : ent->dimOverrides().items())
      if (!odDbDimVarValueStorable(i, v)) unstorable.push_back(i);
    for (int i : unstorable) {
      report(warnings, lines.lineOf(id, i), std::string(ent->isA()->dxfName()) + " override: ",
             odDbCheckDimVarValue(i, *ent->dimOverrides().find(i)), "the style's value is used");
      ent->upgradeOpen();
      ent->removeDimOverride(i);
    }
  }
}
