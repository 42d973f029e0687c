#pragma once
// Dimensions of model space whose blocks no longer match their values
// (a style or an override changed) built anew, so that the view shows
// what they hold now, not only after DIMREGEN or a save.
#include <string>
#include <vector>

class OdDbDatabase;

namespace qrvwindow {

// Rebuilds the blocks of the dimensions that are out of date, or of every
// dimension with `all` (after an undo, which gives back a dimension's
// values but not the block built from the values undone). The blocks are
// derived from the dimensions, so their rebuilding is no undo step of its
// own. Gives "handle: reason" for each dimension that could not be built.
std::vector<std::string> refreshDimensionBlocks(OdDbDatabase* db, bool all);

}  // namespace qrvwindow
