// The palette's dimension and leader properties, in registration order. Each
// row names its palette name, value kind, identifier tag, accessor and the
// entity classes that carry it, in the order their prototypes are made. The
// rows are split in parts so that each compiles on its own.
#include "dimprops/property_catalog.h"

#include "dimprops/catalog_builder.h"

namespace dds {

std::vector<IOdPropertyFactory*> createPropertyCatalog() {
  std::vector<IOdPropertyFactory*> out;
  catalog::Builder c(out);
  catalog::addGeneralMiscAndLines(c);
  catalog::addTextAndFit(c);
  catalog::addPrimaryAndAlternateUnits(c);
  catalog::addTolerancesStylesAndLeader(c);
  return out;
}

}  // namespace dds
