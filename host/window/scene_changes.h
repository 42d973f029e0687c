#pragma once
// What a change to a drawing did to the picture of its model space: the
// entities to draw anew, found from the objects changed since a stamp.
#include <cstdint>
#include <vector>

#include "OdDbObjectId.h"

class OdDbDatabase;

namespace qrvwindow {

struct PictureChanges {
  // Model-space entities changed, created, erased or given back by an
  // undo, and those whose picture comes from a changed block or dimension
  // style (a dimension whose block was rebuilt, an insert of a changed
  // block, a leader whose style changed). Each once.
  std::vector<OdDbObjectId> entities;
  // A change whose reach the entities do not say (a layer, a linetype, a
  // text style, a block drawn inside other blocks): draw everything anew.
  bool everything = false;
};

// The changes after `mark`, a modification stamp of the same drawing.
PictureChanges pictureChangesSince(OdDbDatabase* db, std::uint64_t mark);

}  // namespace qrvwindow
