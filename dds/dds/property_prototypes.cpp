#include "property_prototypes.h"

namespace dds {

std::vector<IOdPropertyFactory*> createPropertyPrototypes() { return {}; }

}  // namespace dds
