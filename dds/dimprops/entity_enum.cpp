#include "dimprops/entity_enum.h"

#include "OdDbLayerTableRecord.h"

namespace dimprops_detail {

bool isOnLockedLayer(const OdDbEntity& entity) {
  OdDbObjectPtr layer = entity.layerId().openObject();
  const auto* record = dynamic_cast<const OdDbLayerTableRecord*>(layer.get());
  return record && record->isLocked();
}

bool isClassOf(const OdRxClass* cls, const OdRxClass* wanted, const OdRxClass* filter) {
  if (!cls || !cls->isDerivedFrom(wanted)) return false;
  return !filter || filter == OdDbEntity::desc() || cls->isDerivedFrom(filter);
}

}  // namespace dimprops_detail
