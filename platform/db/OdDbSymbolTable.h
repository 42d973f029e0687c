#pragma once
// A symbol table: records in table order, found by name without regard to
// letter case (the stored case is kept).
#include <unordered_map>

#include "OdDbSymbolTableRecord.h"

class OdDbSymbolTableIterator;
using OdDbSymbolTableIteratorPtr = std::unique_ptr<OdDbSymbolTableIterator>;

class OdDbSymbolTable : public OdDbObject {
  ODDB_DECLARE_ABSTRACT(OdDbSymbolTable)
public:
  // The id of the record of that name, null when there is none. Erased
  // records are found only with getErasedRecord.
  OdDbObjectId getAt(const OdString& name, bool getErasedRecord = false) const;
  OdSmartPtr<OdDbSymbolTableRecord> getAt(const OdString& name, OdDb::OpenMode mode,
                                         bool getErasedRecord = false) const;
  bool has(const OdString& name) const { return !getAt(name).isNull(); }
  bool has(const OdDbObjectId& id) const;

  // Adds a record that is not yet in a database; refuses a record of the
  // wrong kind, an empty or invalid name and a duplicate of a live name.
  OdDbObjectId add(OdSmartPtr<OdDbSymbolTableRecord> record);
  // For file readers: appends a record that is already resident (read as an
  // object of its own), without checks, so that a drawing keeps every
  // record it had.
  void appendAsStored(OdDbObjectId record);

  OdDbSymbolTableIteratorPtr newIterator(bool atBeginning = true, bool skipDeleted = true) const;

  // Every record in table order (erased ones only when asked).
  const std::vector<OdDbObjectId>& recordIds() const { return m_records; }
  int numLiveRecords() const;

  // Whether rec may join this table.
  virtual bool acceptsRecord(const OdDbSymbolTableRecord* rec) const = 0;

protected:
  OdDbSymbolTable() = default;

private:
  friend class OdDbSymbolTableRecord;
  friend class OdDbUndoHistory;  // keeps records added outside any step
  void rebuildIndex() const;
  OdDbObjectId findLive(const OdString& name, OdDbObjectId except = OdDbObjectId()) const;

  std::vector<OdDbObjectId> m_records;
  // Folded name -> live record; rebuilt when the database's names change.
  mutable std::unordered_map<std::string, OdDbObjectId> m_index;
  mutable std::uint64_t m_indexVersion = ~std::uint64_t(0);
};
using OdDbSymbolTablePtr = OdSmartPtr<OdDbSymbolTable>;

class OdDbSymbolTableIterator {
public:
  OdDbSymbolTableIterator(const OdDbSymbolTable* table, bool atBeginning, bool skipDeleted);
  void start(bool atBeginning = true, bool skipDeleted = true);
  bool done() const;
  void step(bool forward = true, bool skipDeleted = true);
  OdDbObjectId getRecordId() const;
  OdSmartPtr<OdDbSymbolTableRecord> getRecord(OdDb::OpenMode mode = OdDb::kForRead,
                                             bool openErased = false) const;

private:
  void skip(bool forward, bool skipDeleted);
  OdDbObjectIdArray m_ids;  // a copy, so records may be added while iterating
  long m_pos = 0;
};

// Declares a concrete table class over its record class.
#define ODDB_DECLARE_TABLE(TableClass, RecordClass)                                    \
  class TableClass : public OdDbSymbolTable {                                          \
    ODDB_DECLARE_MEMBERS(TableClass)                                                   \
    bool acceptsRecord(const OdDbSymbolTableRecord* rec) const override {              \
      return rec && rec->isKindOf(RecordClass::desc());                                \
    }                                                                                  \
  };                                                                                   \
  using TableClass##Ptr = OdSmartPtr<TableClass>;
