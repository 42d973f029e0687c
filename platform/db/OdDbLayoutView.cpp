#include "OdDbLayoutView.h"

#include <algorithm>

#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "OdDbDictionary.h"
#include "OdStringUtil.h"

std::vector<OdDbLayoutSheet> odDbLayouts(OdDbDatabase* db) {
  std::vector<OdDbLayoutSheet> out;
  if (!db) return out;
  const OdDbObjectId modelSpace = db->getModelSpaceId();
  if (auto root = OdDbDictionary::cast(db->getNamedObjectsDictionaryId().openObject()))
    if (auto layouts = OdDbDictionary::cast(root->getAt("ACAD_LAYOUT").openObject()))
      for (OdDbDictionaryIteratorPtr it = layouts->newIterator(); !it->done(); it->next()) {
        OdDbObjectPtr object = it->objectId().openObject();
        const OdDbLayoutSheetPtr sheet = object ? object->layoutSheet() : nullptr;
        if (!sheet || sheet->block == modelSpace || sheet->block.isNull() || object->isErased()) continue;
        out.push_back(*sheet);
      }
  std::stable_sort(out.begin(), out.end(),
                   [](const OdDbLayoutSheet& a, const OdDbLayoutSheet& b) { return a.tabOrder < b.tabOrder; });
  if (out.empty())
    if (auto paper = OdDbBlockTableRecord::cast(db->getPaperSpaceId().openObject())) {
      OdDbBlockIteratorPtr it = paper->newIterator();
      if (!it->done()) {
        OdDbLayoutSheet sheet;
        sheet.name = "Layout1";
        sheet.tabOrder = 1;
        sheet.block = paper->objectId();
        out.push_back(sheet);
      }
    }
  return out;
}

std::unique_ptr<OdDbLayoutSheet> odDbLayoutNamed(OdDbDatabase* db, const OdString& name) {
  const std::string wanted = qrv::foldCase(name);
  for (OdDbLayoutSheet& sheet : odDbLayouts(db))
    if (qrv::foldCase(sheet.name) == wanted) return std::make_unique<OdDbLayoutSheet>(std::move(sheet));
  return nullptr;
}
