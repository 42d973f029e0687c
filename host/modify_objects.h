#pragma once
// What the modify commands share: the objects to work on, carrying them
// (or copies of them) by a map, the preview of that under the cursor, and
// the report of what was done and what was left in place.
#include <functional>
#include <optional>

#include "OdDbDatabase.h"
#include "OdGeMatrix3d.h"
#include "modify_texts.h"
#include "point_input.h"
#include "selection.h"

class HostApDocument;
class HostEdInput;

namespace qrvhost {

class CommandProcessor;

// The drawing a modify command works on and the objects picked in it.
struct ModifyTarget {
  HostApDocument& doc;
  OdDbDatabase& db;
  OdDbObjectIdArray ids;
};

// The current drawing and the objects picked in it at "Select objects:"
// (those on locked layers are skipped, and said so, by the selection);
// `intro`, when given, is said before the prompt. Nothing when there is no
// drawing (said), or the user picked none or cancelled.
std::optional<ModifyTarget> selectObjectsToModify(CommandProcessor& cp, const OdString& intro = {});

struct ModifyCount {
  int changed = 0;
  int leftInPlace = 0;  // kinds kept as read
};

// Carries the objects by the map, or with `copy` carries copies of them
// (added to model space) and leaves them. A leader and its annotation
// copied together stay linked; a leader copied alone keeps no link. Text
// mirrors as the drawing's MIRRTEXT says. Dimensions get their blocks
// rebuilt.
ModifyCount carryObjects(OdDbDatabase& db, const OdDbObjectIdArray& ids, const OdGeMatrix3d& map, bool copy);

// Moves the points of the objects inside `box` by `offset` (STRETCH): an
// object whose picture lies wholly inside moves whole.
ModifyCount stretchObjects(OdDbDatabase& db, const OdDbObjectIdArray& ids, const HostSelectionBox& box,
                           const OdGeVector3d& offset);

// "N object(s) moved." (or the text given), and the objects left in place.
void reportModified(HostEdInput& input, ModifyText done, const ModifyCount& count);

// What `change` makes of copies of the objects for the point under the
// cursor (nothing where it makes nothing of the point). A large selection
// is previewed by its first objects.
using PreviewChange = std::function<void(OdDbEntity& copy, const OdGePoint3d& cursor)>;
std::function<HostPreview(const OdGePoint3d&)> modifyPreview(const OdDbObjectIdArray& ids, PreviewChange change);

// The same for a map of the point under the cursor; nothing where the map
// is none.
std::function<HostPreview(const OdGePoint3d&)> mapPreview(
    OdDbDatabase& db, const OdDbObjectIdArray& ids,
    std::function<std::optional<OdGeMatrix3d>(const OdGePoint3d&)> mapAt);

}  // namespace qrvhost
