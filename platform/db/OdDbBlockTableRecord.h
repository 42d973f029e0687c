#pragma once
// Blocks: model space, paper spaces, named and anonymous blocks. A block
// owns its entities, kept in drawing order.
#include "OdDbSymbolTable.h"
#include "OdGePoint3d.h"

class OdDbEntity;
class OdDbBlockIterator;
using OdDbBlockIteratorPtr = std::unique_ptr<OdDbBlockIterator>;

class OdDbBlockTableRecord : public OdDbSymbolTableRecord {
  ODDB_DECLARE_MEMBERS(OdDbBlockTableRecord)
public:
  static const char* modelSpaceName() { return "*Model_Space"; }
  static const char* paperSpaceName() { return "*Paper_Space"; }

  // Adds an entity that is not in a database yet; it is open for write
  // afterwards as long as the caller holds it.
  OdDbObjectId appendOdDbEntity(OdSmartPtr<OdDbEntity> entity);
  // For file readers: appends an entity that is already resident.
  void appendEntityAsStored(OdDbObjectId entity);
  // Every entity id in drawing order, erased ones included.
  const OdDbObjectIdArray& entityIds() const { return m_entities; }
  OdDbBlockIteratorPtr newIterator(bool skipErased = true) const;

  OdGePoint3d origin() const { return m_origin; }
  void setOrigin(const OdGePoint3d& p);
  bool isAnonymous() const { return (storedFlags() & 1) != 0; }
  bool isFromExternalReference() const { return (storedFlags() & 4) != 0; }
  // Model space and the paper spaces ("*Paper_Space", "*Paper_Space0"...).
  bool isLayout() const;
  bool isModelSpace() const;

  void checkName(const OdString& name) const override;

  // Reserves room for n more entities (bulk builders).
  void reserveEntities(std::size_t n) { m_entities.reserve(m_entities.size() + n); }

private:
  OdDbObjectIdArray m_entities;
  OdGePoint3d m_origin;
};
using OdDbBlockTableRecordPtr = OdSmartPtr<OdDbBlockTableRecord>;
ODDB_DECLARE_TABLE(OdDbBlockTable, OdDbBlockTableRecord)

class OdDbBlockIterator {
public:
  OdDbBlockIterator(const OdDbBlockTableRecord* block, bool skipErased);
  bool done() const { return m_pos >= m_ids.size(); }
  void step();
  OdDbObjectId objectId() const { return done() ? OdDbObjectId() : m_ids[m_pos]; }
  OdSmartPtr<OdDbEntity> entity(OdDb::OpenMode mode = OdDb::kForRead) const;

private:
  void skip();
  const OdDbObjectIdArray& m_ids;
  std::size_t m_pos = 0;
  bool m_skipErased;
};
