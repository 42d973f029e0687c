#pragma once
// What "a dimension follows its geometry" means, checked on a drawing: every
// associated point lies where its object snap is now, and the dimension
// measures what those points span.
#include <array>
#include <cmath>
#include <optional>
#include <sstream>
#include <string>

#include "OdDbDatabase.h"
#include "OdDbDimAssoc.h"
#include "OdDbDimAssocFollow.h"
#include "OdDbDimension.h"
#include "session_support.h"

namespace sessions {

// What the points span as the dimension measures it: nothing for kinds the
// checks do not cover.
inline std::optional<double> spanned(const OdDbDimension& d, const std::array<OdGePoint3d, 4>& p) {
  if (auto r = OdDbRotatedDimension::cast(&d))
    return std::abs((p[1].x - p[0].x) * std::cos(r->rotation()) + (p[1].y - p[0].y) * std::sin(r->rotation()));
  if (OdDbAlignedDimension::cast(&d) || OdDbRadialDimension::cast(&d) || OdDbDiametricDimension::cast(&d) ||
      QrHugeRadius::cast(&d))
    return p[0].distanceTo(p[1]);
  return std::nullopt;
}

// The faults of the drawing's associated dimensions, one line each; empty
// when every one follows. `associated` counts the dimensions checked.
inline std::string followFaults(OdDbDatabase& db, int* associated = nullptr) {
  std::ostringstream faults;
  int count = 0;
  for (const OdDbEntityPtr& e : modelSpace(db)) {
    OdDbDimensionPtr d = OdDbDimension::cast(e);
    if (!d) continue;
    OdDbDimAssocPtr assoc = OdDbDimAssoc::cast(odDbDimAssocId(*d).openObject());
    if (!assoc || !assoc->hasReferences()) continue;
    ++count;
    const std::string name = "dimension " + d->getDbHandle().ascii() + " (" + d->isA()->name() + ")";
    std::array<OdGePoint3d, 4> points;
    for (int i = 0; i < OdDbDimAssoc::kPoints; ++i) {
      const auto own = odDbDimAssocPoint(*d, i);
      if (own) points[i] = *own;
      if (!assoc->pointRef(i)) continue;
      const auto geometry = odDbOsnapPoint(db, *assoc->pointRef(i));
      if (!geometry) {
        faults << name << ": point " << i << " has no geometry\n";
      } else if (!own || own->distanceTo(*geometry) > 1e-6) {
        faults << name << ": point " << i << " is not on its geometry\n";
      }
      if (geometry) points[i] = *geometry;
    }
    if (const auto expected = spanned(*d, points); expected && std::abs(*expected - d->getMeasurement()) > 1e-6)
      faults << name << ": measures " << d->getMeasurement() << ", its geometry spans " << *expected << "\n";
  }
  if (associated) *associated = count;
  return faults.str();
}

}  // namespace sessions
