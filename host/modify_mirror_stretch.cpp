// MIRROR: the selected objects mirrored in a line, as copies or in their
// place. STRETCH: the points inside a crossing box moved, the rest kept.
#include "command_processor.h"
#include "documents.h"
#include "drafting_input.h"
#include "editor_input.h"
#include "host_commands.h"
#include "modify_input.h"
#include "modify_objects.h"
#include "OdDbTransform.h"

namespace qrvhost {

void commandMirror(CommandProcessor& cp) {
  const auto target = selectObjectsToModify(cp);
  if (!target) return;
  auto& [doc, db, ids] = *target;
  HostEdInput& input = cp.input();
  const PointAnswer first = askPoint(input, modifyText(ModifyText::kMirrorFirst), "", 0);
  if (first.kind != PointAnswer::kPoint) return;
  HostPointOptions band;
  band.base = first.point;
  band.preview = mapPreview(db, ids, [&](const OdGePoint3d& at) -> std::optional<OdGeMatrix3d> {
    if (samePoint(first.point, at)) return std::nullopt;
    return OdGeMatrix3d::mirroring(first.point, at);
  });
  const PointAnswer second = askPoint(input, modifyText(ModifyText::kMirrorSecond), "", 0, band);
  if (second.kind != PointAnswer::kPoint) return;
  if (samePoint(first.point, second.point)) {
    input.print(modifyText(ModifyText::kRefusedMirrorLine));
    return;
  }
  const OdString options = modifyText(ModifyText::kYesNoOptions);
  const int r = input.getKeyword(modifyText(ModifyText::kEraseSource), options, kPromptHasDefault);
  if (r == kPromptCancelled) return;
  const bool erase = r >= kPromptKeyword && optionIndex(r, options) == 0;
  // Erasing the source is mirroring in place: the objects keep their
  // handles, and what refers to them still does.
  reportModified(input, ModifyText::kMirrored,
                 carryObjects(db, ids, OdGeMatrix3d::mirroring(first.point, second.point), !erase));
}

// Objects picked without a box move whole, as MOVE would move them.
void commandStretch(CommandProcessor& cp) {
  const auto target = selectObjectsToModify(cp, modifyText(ModifyText::kStretchIntro));
  if (!target) return;
  auto& [doc, db, ids] = *target;
  HostEdInput& input = cp.input();
  const std::optional<HostSelectionBox> box = doc.selectionManager()->lastBox();
  auto preview = modifyPreview(ids, [&](OdDbEntity& copy, const OdGePoint3d& by) {
    const OdGeVector3d offset = by - OdGePoint3d::kOrigin();
    if (!box) transformEntity(copy, OdGeMatrix3d::translation(offset));
    else stretchEntity(copy, [&](const OdGePoint3d& p) { return box->contains(p); }, offset);
  });
  std::optional<OdGePoint3d> base;
  const auto offset = askDisplacement(input, base, [&](const OdGeVector3d& by) {
    return preview(OdGePoint3d::kOrigin() + by);
  });
  if (!offset) return;
  if (samePoint(OdGePoint3d::kOrigin() + *offset, OdGePoint3d::kOrigin())) {
    input.print(modifyText(ModifyText::kZeroDisplacement));
    return;
  }
  const ModifyCount count = box ? stretchObjects(db, ids, *box, *offset)
                                : carryObjects(db, ids, OdGeMatrix3d::translation(*offset), false);
  reportModified(input, box ? ModifyText::kStretched : ModifyText::kMoved, count);
}

}  // namespace qrvhost
