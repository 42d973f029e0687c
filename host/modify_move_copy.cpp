// MOVE and COPY: the selected objects, or copies of them, carried by a
// displacement.
#include "OdDbTransform.h"
#include "command_processor.h"
#include "documents.h"
#include "drafting_input.h"
#include "host_commands.h"
#include "modify_input.h"
#include "modify_objects.h"

namespace qrvhost {

namespace {

bool isZero(const OdGeVector3d& v) { return samePoint(OdGePoint3d::kOrigin() + v, OdGePoint3d::kOrigin()); }

// The objects moved by an offset, for the window to draw under the cursor.
std::function<HostPreview(const OdGeVector3d&)> movedPreview(OdDbDatabase& db, const OdDbObjectIdArray& ids) {
  auto preview = mapPreview(db, ids, [](const OdGePoint3d& by) {
    return std::optional(OdGeMatrix3d::translation(by - OdGePoint3d::kOrigin()));
  });
  return [preview](const OdGeVector3d& by) { return preview(OdGePoint3d::kOrigin() + by); };
}

}  // namespace

void commandMove(CommandProcessor& cp) {
  const auto target = selectObjectsToModify(cp);
  if (!target) return;
  auto& [doc, db, ids] = *target;
  std::optional<OdGePoint3d> base;
  const auto offset = askDisplacement(cp.input(), base, movedPreview(db, ids));
  if (!offset) return;
  if (isZero(*offset)) {
    cp.input().print(modifyText(ModifyText::kZeroDisplacement));
    return;
  }
  reportModified(cp.input(), ModifyText::kMoved, carryObjects(db, ids, OdGeMatrix3d::translation(*offset), false));
}

// After the first copy from a base point to a second point, more follow
// from the same base point until Enter: a row of copies placed without
// selecting again, all one step. A displacement typed (or the first point
// taken as one) makes one copy.
void commandCopy(CommandProcessor& cp) {
  const auto target = selectObjectsToModify(cp);
  if (!target) return;
  auto& [doc, db, ids] = *target;
  const auto previewBy = movedPreview(db, ids);
  std::optional<OdGePoint3d> base;
  auto offset = askDisplacement(cp.input(), base, previewBy);
  ModifyCount total;
  while (offset) {
    if (isZero(*offset)) {
      cp.input().print(modifyText(ModifyText::kZeroDisplacement));
    } else {
      const ModifyCount made = carryObjects(db, ids, OdGeMatrix3d::translation(*offset), true);
      total.changed += made.changed;
      total.leftInPlace = made.leftInPlace;
    }
    if (!base) break;
    HostPointOptions band;
    band.base = *base;
    band.preview = [&](const OdGePoint3d& at) { return previewBy(at - *base); };
    const PointAnswer next = askPoint(cp.input(), modifyText(ModifyText::kSecondPointOrExit), "", kPromptEmptyAllowed, band);
    // Enter ends; a cancel keeps the copies made (they are the command's
    // work so far, as ERASE's would be).
    if (next.kind != PointAnswer::kPoint) break;
    offset = next.point - *base;
  }
  if (total.changed || total.leftInPlace) reportModified(cp.input(), ModifyText::kCopied, total);
}

}  // namespace qrvhost
