#include "drawing_helpers.h"

#include "OdDbObject.h"
#include "documents.h"
#include "host_entry.h"

const OdRxClass* hostIsA(const OdDbObject* object) { return object ? object->isA() : nullptr; }

OdDbLongTransaction* hostGetRefEditModeLT() {
  HostApDocManager* manager = hostDocManager();
  return manager ? manager->refEditTransaction() : nullptr;
}
