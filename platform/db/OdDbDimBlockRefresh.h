#pragma once
// Dimensions' blocks built anew where they no longer show the dimension:
// one rule for the window, saving, pictures and DIMREGEN, over every block
// of the drawing (model space, layouts, block definitions).
#include <cstdint>
#include <optional>
#include <vector>

#include "OdDbObjectId.h"
#include "OdString.h"

class OdDbDatabase;

struct OdDbDimBlockRefresh {
  // Every dimension, whatever its block (DIMREGEN).
  bool all = false;
  // A block read from the file stays the dimension's picture until the
  // dimension itself changes (saving keeps what other programs drew).
  bool keepBlocksAsRead = false;
  // Also the dimensions that changed, or whose style changed, after this
  // modification stamp: an undo gives a dimension its values back, not the
  // block built from the values undone.
  std::optional<std::uint64_t> changedSince;
};

struct OdDbDimBlockFailure {
  OdDbObjectId dimension;
  OdString reason;
};

struct OdDbDimBlockRefreshResult {
  int rebuilt = 0;
  // The dimensions whose block could not be built; each keeps the one it has.
  std::vector<OdDbDimBlockFailure> failures;
};

// Rebuilds the blocks of the dimensions without one, of those whose block
// no longer matches their values (out of date), and of those `rule` adds.
// Nothing of it is recorded for undo, and it leaves what can be redone.
OdDbDimBlockRefreshResult odDbRefreshDimensionBlocks(OdDbDatabase* db, const OdDbDimBlockRefresh& rule);
