#include "dim_associate.h"

#include "OdDbDatabase.h"
#include "OdDbDimAssocFollow.h"
#include "OdDbDimension.h"
#include "editor_input.h"

namespace qrvhost {

bool DimPointSources::any() const {
  for (const auto& r : refs)
    if (r) return true;
  return false;
}

void DimPointSources::takeSnap(int index, const HostEdInput& input) { refs.at(index) = input.lastPointSnap(); }

void DimPointSources::snapOn(int index, const OdDbEntity& on, OdDbOsnapType type,
                             const std::optional<OdGePoint3d>& near) {
  refs.at(index) = odDbMakeOsnapRef(on, type, near);
}

void associateNewDimension(OdDbDatabase& db, OdDbDimension& dimension, const DimPointSources& sources) {
  // 0 and 1 make dimensions that do not follow their geometry; files may
  // hold other values, which associate as 2 does.
  const OdInt16 mode = db.getDIMASSOC();
  if (mode == 0 || mode == 1 || !sources.any()) return;
  OdDbDimAssocPtr assoc = OdDbDimAssoc::createObject();
  for (int i = 0; i < OdDbDimAssoc::kPoints; ++i) assoc->setPointRef(i, sources.refs[i]);
  odDbSetDimAssoc(dimension, assoc);
}

}  // namespace qrvhost
