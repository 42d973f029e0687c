#include "property_prototypes.h"

#include "dimprops/property_catalog.h"

namespace dds {

std::vector<IOdPropertyFactory*> createPropertyPrototypes() { return createPropertyCatalog(); }

}  // namespace dds
