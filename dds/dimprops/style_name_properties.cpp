#include "dimprops/style_name_properties.h"

#include <cstdio>

#include "OdDbSymbolTable.h"
#include "OdDbSymbolTableRecord.h"
#include "OdStringUtil.h"
#include "dimprops/dim_accessors.h"
#include "dlgdimstyle/style_store.h"
#include "object_manager.h"

const std::vector<CStyleNameList::Entry>& CStyleNameList::entries(OdDbDatabase* db) {
  const std::uint64_t stamp = gpQrObjManager ? gpQrObjManager->modificationStamp() : 0;
  if (db == m_db && stamp == m_stamp && !m_entries.empty()) return m_entries;
  m_db = db;
  m_stamp = stamp;
  m_entries.clear();
  if (!db) return m_entries;
  const OdDbObjectId tableId = m_dimensionStyles ? db->getDimStyleTableId() : db->getTextStyleTableId();
  OdDbObjectPtr obj = tableId.openObject();
  const auto* table = dynamic_cast<const OdDbSymbolTable*>(obj.get());
  if (!table) return m_entries;
  for (OdDbObjectId id : table->recordIds()) {
    OdDbObjectPtr recObj = id.openObject();
    const auto* rec = dynamic_cast<const OdDbSymbolTableRecord*>(recObj.get());
    if (!rec || rec->isDependent()) continue;
    Entry entry{rec->getName(), rec->getName()};
    dds::ChildStyleInfo child;
    if (m_dimensionStyles && dds::parseChildStyle(id, &child)) entry.text = child.parentName + "::" + child.typeName;
    m_entries.push_back(std::move(entry));
  }
  return m_entries;
}

OdString CStyleNameList::textOf(OdDbDatabase* db, const OdString& name) {
  for (const Entry& e : entries(db))
    if (e.name == name) return e.text;
  return name;
}

bool CStyleNameList::nameOf(OdDbDatabase* db, const OdString& text, OdString& name) {
  for (const Entry& e : entries(db))
    if (e.text == text) {
      name = e.name;
      return true;
    }
  for (const Entry& e : entries(db))
    if (qrv::equalNoCase(e.name, text) || qrv::equalNoCase(e.text, text)) {
      name = e.name;
      return true;
    }
  return false;
}

namespace dimacc {

bool setEntityDimStyle(OdDbDimStyleEntity* e, const OdString& name) {
  const OdDbObjectId id = recordId(e->database()->getDimStyleTableId(), name);
  if (id.isNull()) return false;
  e->setDimensionStyle(id);
  // Every row may read differently under the new style.
  OpmRefreshProperties(true);
  return true;
}

bool setEntityTextStyle(OdDbDimStyleEntity* e, const OdString& name) {
  const OdDbObjectId id = recordId(e->database()->getTextStyleTableId(), name);
  if (id.isNull()) return false;
  e->setDimtxsty(id);
  return true;
}

}  // namespace dimacc

OdString TDatabaseDimStyleAccessor::get(const OdDbDatabase* db) { return dimacc::recordName(db->getDimstyle()); }

bool TDatabaseDimStyleAccessor::set(OdDbDatabase* db, const OdString& name) {
  const OdDbObjectId id = dimacc::recordId(db->getDimStyleTableId(), name);
  if (id.isNull()) return false;
  // Declining the question about the overrides keeps the current style.
  const HRESULT hr = dds::setCurrentStyle(db, id);
  if (hr == E_ABORT)
    noteWriteRefusal(dds::translate("The current style stays, with its overrides: the question was declined."));
  return hostSucceeded(hr);
}
