#include "OdDbAnnotativeObjectPE.h"

#include "OdDbDatabase.h"
#include "OdDbDimStyleEntity.h"
#include "OdDbDimStyleTableRecord.h"
#include "OdDbEntities.h"

namespace {
const char* const kApp = "AcadAnnotative";
}

const OdDbAnnotativeObjectPE* OdDbAnnotativeObjectPE::cast(const OdDbObject* obj) {
  static const OdDbAnnotativeObjectPE pe;
  if (!obj) return nullptr;
  if (obj->isKindOf(OdDbDimStyleTableRecord::desc()) || obj->isKindOf(OdDbDimStyleEntity::desc()) ||
      obj->isKindOf(OdDbMText::desc()) || obj->isKindOf(OdDbText::desc()))
    return &pe;
  return nullptr;
}

bool OdDbAnnotativeObjectPE::isAnnotative(const OdDbObject* obj) const {
  // 1000 "AnnotativeData", 1002 "{", 1070 version, 1070 flag, 1002 "}"
  OdResBufPtr rb = obj ? obj->xData(kApp) : OdResBufPtr();
  int ints = 0;
  for (OdResBufPtr p = rb; p; p = p->next())
    if (p->restype() == 1070 && ++ints == 2) return p->getInt16() != 0;
  return false;
}

void OdDbAnnotativeObjectPE::setAnnotative(OdDbObject* obj, bool annotative) const {
  if (!obj) throw OdError(eNullObjectPointer, "no object");
  if (isAnnotative(obj) == annotative) return;
  obj->assertWriteEnabled();
  if (OdDbDatabase* db = obj->database()) db->newRegApp(kApp);
  OdResBufPtr head = OdResBuf::newRb(1001, OdString(kApp));
  if (annotative) {
    OdResBufPtr tail = head->setNext(OdResBuf::newRb(1000, OdString("AnnotativeData")));
    tail = tail->setNext(OdResBuf::newRb(1002, OdString("{")));
    tail = tail->setNext(OdResBuf::newRb(1070, OdInt16(1)));
    tail = tail->setNext(OdResBuf::newRb(1070, OdInt16(1)));
    tail->setNext(OdResBuf::newRb(1002, OdString("}")));
  }
  obj->setXData(head.get());
}
