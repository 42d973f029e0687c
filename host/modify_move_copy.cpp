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

}  // namespace

void commandMove(CommandProcessor& cp) {
  HostApDocument* doc = cp.requireDocument();
  if (!doc) return;
  OdDbDatabase& db = *doc->database();
  const OdDbObjectIdArray ids = selectObjectsToModify(*doc);
  if (ids.empty()) return;
  auto preview = mapPreview(db, ids, [](const OdGePoint3d& by) {
    return std::optional(OdGeMatrix3d::translation(by - OdGePoint3d::kOrigin()));
  });
  std::optional<OdGePoint3d> base;
  const auto offset = askDisplacement(cp.input(), base, [&](const OdGeVector3d& by) {
    return preview(OdGePoint3d::kOrigin() + by);
  });
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
  HostApDocument* doc = cp.requireDocument();
  if (!doc) return;
  OdDbDatabase& db = *doc->database();
  const OdDbObjectIdArray ids = selectObjectsToModify(*doc);
  if (ids.empty()) return;
  auto preview = mapPreview(db, ids, [](const OdGePoint3d& by) {
    return std::optional(OdGeMatrix3d::translation(by - OdGePoint3d::kOrigin()));
  });
  auto previewBy = [&](const OdGeVector3d& by) { return preview(OdGePoint3d::kOrigin() + by); };
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
