#include "opm/drawing_names.h"

#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "OdDbSymbolTable.h"

namespace {

template <class Keep>
std::vector<OdString> recordNames(OdDbObjectId tableId, Keep keep) {
  std::vector<OdString> names;
  OdDbObjectPtr obj = tableId.openObject();
  const auto* table = dynamic_cast<const OdDbSymbolTable*>(obj.get());
  if (!table) return names;
  for (OdDbObjectId id : table->recordIds()) {
    OdDbObjectPtr rec = id.openObject();
    const auto* record = dynamic_cast<const OdDbSymbolTableRecord*>(rec.get());
    if (record && !record->isDependent() && keep(*record)) names.push_back(record->getName());
  }
  return names;
}

}  // namespace

std::vector<OdString> hostArrowBlockNames(const OdDbDatabase* db) {
  if (!db) return {};
  return recordNames(db->getBlockTableId(), [](const OdDbSymbolTableRecord& r) {
    const auto* block = dynamic_cast<const OdDbBlockTableRecord*>(&r);
    return block && !block->isLayout() && !block->isAnonymous();
  });
}
