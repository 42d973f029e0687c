#pragma once
// Walks the entities of a palette selection for reading or writing. Objects
// of other classes are passed over; when writing, so are entities on locked
// layers and, during in-place reference editing, entities outside the
// working set. The step function returning false ends the walk.
#include "OdDbEntity.h"
#include "OdDbObjectId.h"
#include "drawing_helpers.h"
#include "opm/palette_change.h"
#include "ref_edit.h"

// What a write passed over, for the palette to tell the user.
using EnumReport = HostWriteReport;

namespace dimprops_detail {
bool isOnLockedLayer(const OdDbEntity& entity);
bool isClassOf(const OdRxClass* cls, const OdRxClass* wanted, const OdRxClass* filter);
}  // namespace dimprops_detail

// An identifier that no longer opens (an entity erased since it was
// selected) is counted and passed over: the rest of the selection is still
// read and written.
template <class E, class Step>
bool enumerateEntities(const OdDbObjectIdArray& ids, bool forWrite, const OdRxClass* filter, Step&& step,
                       EnumReport* report = nullptr) {
  OdDbLongTransaction* refEdit = forWrite ? hostGetRefEditModeLT() : nullptr;
  for (const OdDbObjectId& id : ids) {
    OdDbObjectPtr obj = id.openObject(OdDb::kForRead);
    if (!obj) {
      if (report) ++report->unreadable;
      continue;
    }
    if (!dimprops_detail::isClassOf(hostIsA(obj.get()), E::desc(), filter)) continue;
    E* entity = static_cast<E*>(obj.get());
    if (forWrite) {
      if (dimprops_detail::isOnLockedLayer(*entity)) {
        if (report) ++report->onLockedLayers;
        continue;
      }
      if (refEdit && !refEdit->workSetHas(id)) {
        if (report) ++report->outsideRefEdit;
        continue;
      }
      obj->upgradeOpen();
    }
    if (!step(entity)) return false;
    if (forWrite && report) ++report->changed;
  }
  return true;
}

// The enumeration as the property classes inherit it.
template <class P, class E>
class COdDbEntityEnum {
protected:
  template <class Step>
  static bool enumerate(const OdDbObjectIdArray& ids, bool forWrite, const OdRxClass* filter, Step&& step,
                        EnumReport* report = nullptr) {
    return enumerateEntities<E>(ids, forWrite, filter, std::forward<Step>(step), report);
  }
};
