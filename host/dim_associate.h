#pragma once
// Where the points of a new dimension came from: an object snap typed at a
// point prompt, or the object picked to be measured. With DIMASSOC 2 the
// dimension is associated with those objects, so that it follows them.
#include <array>
#include <optional>

#include "OdDbDimAssoc.h"
#include "OdDbEntity.h"

class HostEdInput;
class OdDbDatabase;
class OdDbDimension;

namespace qrvhost {

// One reference per defining point, in the numbering of OdDbDimAssoc.
struct DimPointSources {
  std::array<std::optional<OdDbOsnapPointRef>, OdDbDimAssoc::kPoints> refs;
  bool any() const;
  // Point `index` came from the snap of the last point prompt, if it was one.
  void takeSnap(int index, const HostEdInput& input);
  // Point `index` is the snap `type` on `on` (near `near` when given).
  void snapOn(int index, const OdDbEntity& on, OdDbOsnapType type,
              const std::optional<OdGePoint3d>& near = std::nullopt);
};

// Associates the dimension, resident and open for write, with the objects
// its points came from when the drawing's DIMASSOC asks for it.
void associateNewDimension(OdDbDatabase& db, OdDbDimension& dimension, const DimPointSources& sources);

}  // namespace qrvhost
