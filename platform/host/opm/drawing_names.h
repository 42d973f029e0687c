#pragma once
// Names of a drawing's records that pickers offer.
#include <vector>

#include "OdString.h"

class OdDbDatabase;

// Blocks that may be arrowheads: no layouts, anonymous or external blocks.
std::vector<OdString> hostArrowBlockNames(const OdDbDatabase* db);
