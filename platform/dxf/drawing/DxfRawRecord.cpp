#include "DxfRawRecord.h"

ODDB_DEFINE_MEMBERS(DxfRawObject, OdDbObject, "")
ODDB_DEFINE_MEMBERS(DxfRawEntity, OdDbEntity, "")

void DxfRawObject::forEachHardRef(OdDbRefVisitor& visitor) const {
  for (const DxfRawRef& ref : m_refs) visitor.visit(ref.id);
}

void DxfRawEntity::forEachHardRef(OdDbRefVisitor& visitor) const {
  for (const DxfRawRef& ref : m_refs) visitor.visit(ref.id);
}

const std::vector<DxfRawRef>* dxfRawRefs(const OdDbObject* object) {
  if (auto raw = dynamic_cast<const DxfRawObject*>(object)) return &raw->rawRefs();
  if (auto raw = dynamic_cast<const DxfRawEntity*>(object)) return &raw->rawRefs();
  return nullptr;
}
