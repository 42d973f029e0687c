#include "DxfDimVarChecks.h"

#include "DxfDocument.h"
#include "OdDbDatabase.h"
#include "OdDbDimStyleTableRecord.h"
#include "OdDbDimVarRange.h"
#include "OdDbSymbolTable.h"

std::uint32_t DxfDimVarLines::lineOf(OdDbObjectId style, int index) const {
  if (auto it = values.find({style, index}); it != values.end()) return it->second;
  auto it = records.find(style);
  return it == records.end() ? 0 : it->second;
}

namespace {

void report(std::vector<std::string>& warnings, std::uint32_t line, const std::string& where, const OdString& why) {
  warnings.push_back("line " + std::to_string(line) + ": " + where + why + "; the default is used");
}

}  // namespace

void dxfReplaceRefusedDimVars(OdDbDatabase& db, const DxfDocument& doc, const DxfDimVarLines& lines,
                              std::vector<std::string>& warnings) {
  const OdDbDimVars defaults =
      db.getMEASUREMENT() == OdDb::kMetric ? OdDbDimVars::metricDefaults() : OdDbDimVars::imperialDefaults();
  for (int i = 0; i < OdDbDimVars::kCount; ++i) {
    const OdString why = odDbCheckDimVarValue(i, db.dimVar(i));
    if (why.empty()) continue;
    const DxfHeaderVariable* v = doc.headerVariable("$" + std::string(OdDbDimVars::describe(i).name));
    report(warnings, v ? v->firstLine : 0, "", why);
    db.setDimVar(i, defaults.get(i));
  }
  OdDbSymbolTablePtr styles = OdDbSymbolTable::cast(db.getDimStyleTableId().openObject());
  if (!styles) return;
  for (auto it = styles->newIterator(); !it->done(); it->step()) {
    OdDbDimStyleTableRecordPtr style = OdDbDimStyleTableRecord::cast(it->getRecordId().openObject());
    if (!style) continue;
    for (int i = 0; i < OdDbDimVars::kCount; ++i) {
      const OdString why = odDbCheckDimVarValue(i, style->dimVar(i));
      if (why.empty()) continue;
      report(warnings, lines.lineOf(style->objectId(), i), "dimension style \"" + style->getName() + "\": ", why);
      style->upgradeOpen();
      style->setDimVar(i, defaults.get(i));
    }
  }
}
