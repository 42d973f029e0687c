#include "OdDbDictionary.h"

#include <algorithm>

#include "OdDbDatabase.h"
#include "OdStringUtil.h"

ODDB_DEFINE_MEMBERS(OdDbDictionary, OdDbObject, "DICTIONARY")
ODDB_DEFINE_MEMBERS(OdDbXrecord, OdDbObject, "XRECORD")

OdDbObjectId OdDbDictionary::getAt(const OdString& key) const {
  for (const auto& [name, id] : m_entries)
    if (qrv::equalNoCase(name, key)) return id.isErased() ? OdDbObjectId() : id;
  return OdDbObjectId();
}

OdDbObjectPtr OdDbDictionary::getAt(const OdString& key, OdDb::OpenMode mode) const {
  return getAt(key).openObject(mode);
}

bool OdDbDictionary::has(const OdDbObjectId& id) const {
  return std::any_of(m_entries.begin(), m_entries.end(), [&](const auto& e) { return e.second == id; });
}

void OdDbDictionary::setAtAsStored(const OdString& key, OdDbObjectId id) {
  assertWriteEnabled();
  m_entries.emplace_back(key, id);
}

OdDbObjectId OdDbDictionary::setAt(const OdString& key, OdDbObjectPtr object) {
  if (key.empty()) throw OdError(eInvalidKey, "a dictionary key may not be empty");
  if (!object) throw OdError(eNullObjectPointer, "no object for key " + key);
  assertWriteEnabled();
  OdDbObjectId id = object->objectId();
  if (!object->isDBRO()) {
    OdDbDatabase* db = database();
    if (!db) throw OdError(eNotInDatabase, "the dictionary is not in a database");
    id = db->addOdDbObject(object, objectId());
    object->upgradeOpen();
  } else if (object->database() != database()) {
    throw OdError(eWrongDatabase, key);
  }
  for (auto& e : m_entries)
    if (qrv::equalNoCase(e.first, key)) {
      e.second = id;
      return id;
    }
  m_entries.emplace_back(key, id);
  return id;
}

bool OdDbDictionary::remove(const OdString& key) {
  auto it = std::find_if(m_entries.begin(), m_entries.end(),
                         [&](const auto& e) { return qrv::equalNoCase(e.first, key); });
  if (it == m_entries.end()) return false;
  assertWriteEnabled();
  m_entries.erase(it);
  return true;
}

int OdDbDictionary::numEntries() const {
  return int(std::count_if(m_entries.begin(), m_entries.end(),
                           [](const auto& e) { return !e.second.isErased(); }));
}

OdDbDictionaryIteratorPtr OdDbDictionary::newIterator() const {
  return std::make_unique<OdDbDictionaryIterator>(this);
}

OdDbDictionaryIterator::OdDbDictionaryIterator(const OdDbDictionary* dict) : m_entries(dict->m_entries) {
  skip();
}

bool OdDbDictionaryIterator::next() {
  if (!done()) ++m_pos;
  skip();
  return !done();
}

void OdDbDictionaryIterator::skip() {
  while (!done() && m_entries[m_pos].second.isErased()) ++m_pos;
}

OdString OdDbDictionaryIterator::name() const { return done() ? OdString() : m_entries[m_pos].first; }
OdDbObjectId OdDbDictionaryIterator::objectId() const {
  return done() ? OdDbObjectId() : m_entries[m_pos].second;
}
OdDbObjectPtr OdDbDictionaryIterator::getObject(OdDb::OpenMode mode) const {
  return objectId().openObject(mode);
}

OdResBufPtr OdDbXrecord::rbChain() const {
  OdResBufPtr head, tail;
  for (const auto& [code, text] : m_data) {
    OdResBufPtr rb = OdResBuf::newRb(code, text);
    if (!head)
      head = tail = rb;
    else
      tail = tail->setNext(rb);
  }
  return head;
}

void OdDbXrecord::setFromRbChain(const OdResBuf* chain) {
  assertWriteEnabled();
  m_data.clear();
  for (; chain; chain = chain->next().get()) m_data.emplace_back(chain->restype(), chain->getString());
}
