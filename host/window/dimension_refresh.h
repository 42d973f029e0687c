#pragma once
// Dimensions whose blocks no longer match their values built anew, so that
// the view (model space and layouts) shows what they hold now, not only
// after DIMREGEN or a save.
#include <cstdint>
#include <string>
#include <vector>

class OdDbDatabase;

namespace qrvwindow {

// Rebuilds the blocks of the dimensions that are out of date (their values
// or overrides changed), that changed after the modification stamp `since`
// (an undo gives back a dimension's values, but not the block built from
// the values undone), or whose dimension style changed after `since`. The
// blocks are derived from the dimensions, so their rebuilding is no undo
// step of its own. Gives "handle: reason" for each dimension that could
// not be built.
std::vector<std::string> refreshDimensionBlocks(OdDbDatabase* db, std::uint64_t since);

}  // namespace qrvwindow
