#include "OdDbSymbolTable.h"

#include "OdDbDatabase.h"
#include "OdDbStub.h"
#include "OdDbSymUtil.h"
#include "OdStringUtil.h"

ODDB_DEFINE_ABSTRACT(OdDbSymbolTableRecord, OdDbObject, "")
ODDB_DEFINE_ABSTRACT(OdDbSymbolTable, OdDbObject, "TABLE")

void OdDbSymbolTableRecord::setName(const OdString& name) {
  checkName(name);
  if (database()) {
    OdDbObjectPtr owner = ownerId().openObject();
    if (auto table = OdDbSymbolTable::cast(owner.get())) {
      OdDbObjectId other = table->findLive(name, objectId());
      if (!other.isNull()) throw OdError(eDuplicateRecordName, name);
    }
  }
  setNameAsStored(name);
}

void OdDbSymbolTableRecord::checkName(const OdString& name) const {
  OdDbSymUtil::assertValidSymbolName(name, database(), isDependent());
}

void OdDbSymbolTableRecord::setNameAsStored(const OdString& name) {
  if (name == m_name) return;
  assertWriteEnabled();
  m_name = name;
  if (OdDbDatabase* db = database()) db->noteNamesChanged();
}

void OdDbSymbolTableRecord::setDependent(bool dependent) {
  assertWriteEnabled();
  m_flags = dependent ? OdInt16(m_flags | kDependent) : OdInt16(m_flags & ~kDependent);
}

void OdDbSymbolTableRecord::setStoredFlags(OdInt16 flags) {
  assertWriteEnabled();
  m_flags = flags;
}

void OdDbSymbolTable::rebuildIndex() const {
  OdDbDatabase* db = database();
  const std::uint64_t version = db ? db->namesVersion() : 0;
  if (m_indexVersion == version && db) return;
  m_index.clear();
  m_index.reserve(m_records.size());
  for (const OdDbObjectId& id : m_records) {
    OdDbObject* obj = id.stub() ? id.stub()->object : nullptr;
    if (!obj || obj->isErased()) continue;
    auto* rec = static_cast<OdDbSymbolTableRecord*>(obj);
    m_index.emplace(qrv::foldCase(rec->getName()), id);  // first live one wins
  }
  m_indexVersion = version;
}

OdDbObjectId OdDbSymbolTable::findLive(const OdString& name, OdDbObjectId except) const {
  rebuildIndex();
  auto it = m_index.find(qrv::foldCase(name));
  if (it == m_index.end() || it->second == except) {
    if (except.isNull() || it == m_index.end()) return OdDbObjectId();
    // The index holds one id per name; make sure no second record shares it.
    for (const OdDbObjectId& id : m_records) {
      if (id == except) continue;
      OdDbObject* obj = id.stub() ? id.stub()->object : nullptr;
      if (obj && !obj->isErased() &&
          qrv::equalNoCase(static_cast<OdDbSymbolTableRecord*>(obj)->getName(), name))
        return id;
    }
    return OdDbObjectId();
  }
  return it->second;
}

void OdDbSymbolTable::appendAsStored(OdDbObjectId record) {
  assertWriteEnabled();
  m_records.push_back(record);
  if (OdDbDatabase* db = database()) db->noteNamesChanged();
}

OdDbObjectId OdDbSymbolTable::getAt(const OdString& name, bool getErasedRecord) const {
  OdDbObjectId id = findLive(name);
  if (!id.isNull() || !getErasedRecord) return id;
  for (auto it = m_records.rbegin(); it != m_records.rend(); ++it) {
    OdDbObject* obj = it->stub() ? it->stub()->object : nullptr;
    if (obj && qrv::equalNoCase(static_cast<OdDbSymbolTableRecord*>(obj)->getName(), name)) return *it;
  }
  return OdDbObjectId();
}

OdSmartPtr<OdDbSymbolTableRecord> OdDbSymbolTable::getAt(const OdString& name, OdDb::OpenMode mode,
                                                        bool getErasedRecord) const {
  OdDbObjectId id = getAt(name, getErasedRecord);
  if (id.isNull()) return OdSmartPtr<OdDbSymbolTableRecord>();
  return OdSmartPtr<OdDbSymbolTableRecord>(id.openObject(mode, getErasedRecord));
}

bool OdDbSymbolTable::has(const OdDbObjectId& id) const {
  return id.isValid() && std::find(m_records.begin(), m_records.end(), id) != m_records.end();
}

OdDbObjectId OdDbSymbolTable::add(OdSmartPtr<OdDbSymbolTableRecord> record) {
  if (!record) throw OdError(eNullObjectPointer, "no record to add");
  if (record->isDBRO()) throw OdError(eAlreadyInDb, record->getName());
  if (!acceptsRecord(record.get()))
    throw OdError(eNotThatKindOfClass, OdString(record->isA()->name()) + " in " + isA()->name());
  OdDbDatabase* db = database();
  if (!db) throw OdError(eNotInDatabase, "the table is not in a database");
  const OdString& name = record->getName();
  record->checkName(name);
  if (!findLive(name).isNull()) throw OdError(eDuplicateRecordName, name);
  assertWriteEnabled();
  OdDbObjectId id = db->addOdDbObject(record, objectId());
  m_records.push_back(id);
  record->upgradeOpen();  // the caller holds it open for write, as after any add
  // findLive above left the index current: keep it so by adding the new
  // name, so that adding many records (anonymous blocks) stays linear.
  const bool indexWasCurrent = m_indexVersion == db->namesVersion();
  db->noteNamesChanged();
  if (indexWasCurrent) {
    m_index.emplace(qrv::foldCase(name), id);
    m_indexVersion = db->namesVersion();
  }
  return id;
}

int OdDbSymbolTable::numLiveRecords() const {
  int n = 0;
  for (const OdDbObjectId& id : m_records)
    if (id.isValid()) ++n;
  return n;
}

OdDbSymbolTableIteratorPtr OdDbSymbolTable::newIterator(bool atBeginning, bool skipDeleted) const {
  return std::make_unique<OdDbSymbolTableIterator>(this, atBeginning, skipDeleted);
}

OdDbSymbolTableIterator::OdDbSymbolTableIterator(const OdDbSymbolTable* table, bool atBeginning,
                                                 bool skipDeleted)
    : m_ids(table->recordIds()) {
  start(atBeginning, skipDeleted);
}

void OdDbSymbolTableIterator::start(bool atBeginning, bool skipDeleted) {
  m_pos = atBeginning ? 0 : long(m_ids.size()) - 1;
  skip(atBeginning, skipDeleted);
}

bool OdDbSymbolTableIterator::done() const { return m_pos < 0 || m_pos >= long(m_ids.size()); }

void OdDbSymbolTableIterator::step(bool forward, bool skipDeleted) {
  if (done()) return;
  m_pos += forward ? 1 : -1;
  skip(forward, skipDeleted);
}

void OdDbSymbolTableIterator::skip(bool forward, bool skipDeleted) {
  while (!done() && (m_ids[m_pos].stub() == nullptr || m_ids[m_pos].stub()->object == nullptr ||
                     (skipDeleted && m_ids[m_pos].isErased())))
    m_pos += forward ? 1 : -1;
}

OdDbObjectId OdDbSymbolTableIterator::getRecordId() const {
  return done() ? OdDbObjectId() : m_ids[m_pos];
}

OdSmartPtr<OdDbSymbolTableRecord> OdDbSymbolTableIterator::getRecord(OdDb::OpenMode mode,
                                                                    bool openErased) const {
  if (done()) return OdSmartPtr<OdDbSymbolTableRecord>();
  return OdSmartPtr<OdDbSymbolTableRecord>(m_ids[m_pos].safeOpenObject(mode, openErased));
}
