#include "OdDbDimAssoc.h"

#include "OdDbDatabase.h"
#include "OdDbDictionary.h"
#include "OdDbDimension.h"

ODDB_DEFINE_MEMBERS(OdDbDimAssoc, OdDbObject, "DIMASSOC")

OdDbHandle OdDbOsnapPointRef::mainObject() const {
  if (mainObjects.size() != 1 || !xrefPaths.empty()) return OdDbHandle();
  return mainObjects.front();
}

OdDbHandle OdDbOsnapPointRef::intersectObject() const {
  if (intersectObjects.size() != 1 || !intXrefPaths.empty()) return OdDbHandle();
  return intersectObjects.front();
}

void OdDbDimAssoc::setDimension(OdDbHandle dimension) {
  assertWriteEnabled();
  m_dimension = dimension;
}

void OdDbDimAssoc::setPointRef(int index, const std::optional<OdDbOsnapPointRef>& ref) {
  if (index < 0 || index >= kPoints) throw OdError(eInvalidInput, "an association has points 0 to 3");
  assertWriteEnabled();
  m_refs[index] = ref;
}

OdInt32 OdDbDimAssoc::associativityFlags() const {
  OdInt32 flags = 0;
  for (int i = 0; i < kPoints; ++i)
    if (m_refs[i]) flags |= 1 << i;
  return flags;
}

void OdDbDimAssoc::setTransSpace(bool on) {
  assertWriteEnabled();
  m_transSpace = on;
}

void OdDbDimAssoc::setRotatedDimType(OdInt16 type) {
  assertWriteEnabled();
  m_rotatedType = type;
}

void OdDbDimAssoc::subAddedToDatabase() {
  if (OdDbDatabase* db = database()) db->noteDimAssocPresent();
}

OdDbObjectId odDbDimAssocId(const OdDbEntity& dimension) {
  const OdDbObjectId dictId = dimension.extensionDictionary();
  if (dictId.isNull()) return OdDbObjectId();
  OdDbDictionaryPtr dict = OdDbDictionary::cast(dictId.openObject());
  if (!dict) return OdDbObjectId();
  const OdDbObjectId id = dict->getAt(kOdDbDimAssocKey);
  return OdDbDimAssoc::cast(id.openObject()) ? id : OdDbObjectId();
}

OdDbObjectId odDbSetDimAssoc(OdDbDimension& dimension, OdDbDimAssocPtr assoc) {
  odDbRemoveDimAssoc(dimension);
  assoc->setDimension(dimension.getDbHandle());
  OdDbDictionaryPtr dict = dimension.createExtensionDictionary().safeOpenObject(OdDb::kForWrite);
  return dict->setAt(kOdDbDimAssocKey, assoc);
}

bool odDbRemoveDimAssoc(OdDbEntity& dimension) {
  const OdDbObjectId dictId = dimension.extensionDictionary();
  if (dictId.isNull()) return false;
  OdDbDictionaryPtr dict = OdDbDictionary::cast(dictId.openObject(OdDb::kForWrite));
  if (!dict) return false;
  const OdDbObjectId id = dict->getAt(kOdDbDimAssocKey);
  if (id.isNull()) return false;
  dict->remove(kOdDbDimAssocKey);
  if (OdDbObjectPtr assoc = id.openObject(OdDb::kForWrite)) assoc->erase();
  return true;
}

bool odDbIsDimAssociative(const OdDbEntity& dimension) {
  OdDbDimAssocPtr assoc = OdDbDimAssoc::cast(odDbDimAssocId(dimension).openObject());
  OdDbDatabase* db = dimension.database();
  if (!assoc || !db) return false;
  for (int i = 0; i < OdDbDimAssoc::kPoints; ++i) {
    const auto& ref = assoc->pointRef(i);
    if (!ref) continue;
    const OdDbObjectId on = db->getOdDbObjectId(ref->mainObject());
    if (!on.isNull() && !on.isErased()) return true;
  }
  return false;
}
