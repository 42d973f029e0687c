#pragma once
// The palette's dimension and leader property prototypes, in registration
// order, each with one reference held for the caller.
#include <vector>

class IOdPropertyFactory;

namespace dds {
std::vector<IOdPropertyFactory*> createPropertyCatalog();
}  // namespace dds
