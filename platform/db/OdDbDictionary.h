#pragma once
// Dictionaries: named entries pointing at owned objects. They hold the
// extension data of objects (e.g. an associativity entry on a dimension).
#include "OdDbObject.h"

class OdDbDictionaryIterator;
using OdDbDictionaryIteratorPtr = std::unique_ptr<OdDbDictionaryIterator>;

class OdDbDictionary : public OdDbObject {
  ODDB_DECLARE_MEMBERS(OdDbDictionary)
public:
  // Keys compare without regard to letter case, as drawing dictionaries do.
  OdDbObjectId getAt(const OdString& key) const;
  OdDbObjectPtr getAt(const OdString& key, OdDb::OpenMode mode) const;
  bool has(const OdString& key) const { return !getAt(key).isNull(); }
  bool has(const OdDbObjectId& id) const;
  // Adds or replaces an entry. An object not yet in a database joins the
  // dictionary's database, owned by the dictionary.
  OdDbObjectId setAt(const OdString& key, OdDbObjectPtr object);
  // Takes the entry out (the object itself stays); false when absent.
  bool remove(const OdString& key);
  // For file readers: an entry as stored, pointing at an object read on its
  // own (possibly later in the file); duplicates are kept as they are.
  void setAtAsStored(const OdString& key, OdDbObjectId id);
  int numEntries() const;
  OdDbDictionaryIteratorPtr newIterator() const;

  void forEachHardRef(OdDbRefVisitor&) const override {}

private:
  friend class OdDbDictionaryIterator;
  std::vector<std::pair<OdString, OdDbObjectId>> m_entries;  // in insertion order
};
using OdDbDictionaryPtr = OdSmartPtr<OdDbDictionary>;

class OdDbDictionaryIterator {
public:
  explicit OdDbDictionaryIterator(const OdDbDictionary* dict);
  bool done() const { return m_pos >= m_entries.size(); }
  bool next();
  OdString name() const;
  OdDbObjectId objectId() const;
  OdDbObjectPtr getObject(OdDb::OpenMode mode = OdDb::kForRead) const;

private:
  void skip();
  std::vector<std::pair<OdString, OdDbObjectId>> m_entries;
  std::size_t m_pos = 0;
};

// An object that carries nothing but its presence (and whatever extended
// data or file data it holds): the form of dictionary entries we do not
// model further.
class OdDbXrecord : public OdDbObject {
  ODDB_DECLARE_MEMBERS(OdDbXrecord)
public:
  OdResBufPtr rbChain() const;
  void setFromRbChain(const OdResBuf* chain);

private:
  std::vector<std::pair<int, OdString>> m_data;  // group code, value text
};
using OdDbXrecordPtr = OdSmartPtr<OdDbXrecord>;
