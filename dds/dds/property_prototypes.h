#pragma once
// The palette property prototypes the document reactor registers with each
// document's property manager: one per property of the dimension property
// catalogue, created once and shared by all documents.
#include <vector>

class IOdPropertyFactory;

namespace dds {

// Creates the prototypes in catalogue order, each with the one reference
// the reactor keeps.
std::vector<IOdPropertyFactory*> createPropertyPrototypes();

}  // namespace dds
