#pragma once
// The palette property prototypes the document reactor registers with each
// document's property manager: one per property of the dimension property
// catalogue, created once and shared by all documents.
#include <vector>

class IOdPropertyFactory;

namespace dds {

// Creates the prototypes in catalogue order. The catalogue is not part of
// the module yet, so there are none: the reactor then registers nothing.
std::vector<IOdPropertyFactory*> createPropertyPrototypes();

}  // namespace dds
