// DIMTEDIT: moves, justifies or turns the text of one dimension.
#include "OdDbDimension.h"
#include "command_processor.h"
#include "dim_edit_texts.h"
#include "documents.h"
#include "drafting_input.h"
#include "host_commands.h"
#include "selection.h"

namespace qrvhost {

namespace {

enum TextEditOption { kLeft, kRight, kCenter, kHome, kAngle };

// One dimension to change: objects on locked layers are passed over by the
// selection, since they must not change.
OdDbDimensionPtr pickDimensionToChange(HostApDocument& doc) {
  for (;;) {
    OdDbObjectIdArray picked;
    if (doc.selectionManager()->select(editText(EditText::kSelectDimension), kSelSingle | kSelCallerPrompt, picked) !=
        kSelectionOk)
      return OdDbDimensionPtr();
    if (OdDbDimensionPtr d = OdDbDimension::cast(picked.front().safeOpenObject(OdDb::kForWrite))) return d;
    doc.editorInput()->print(editText(EditText::kNotDimension));
  }
}

// Justification along the dimension line is a matter of the kinds whose
// text sits on a straight line.
bool takesJustification(const OdDbDimension& d) {
  return OdDbRotatedDimension::cast(&d) || OdDbAlignedDimension::cast(&d) || OdDbRadialDimension::cast(&d) ||
         OdDbDiametricDimension::cast(&d);
}

bool onLine(const OdDbDimension& d) { return OdDbRotatedDimension::cast(&d) || OdDbAlignedDimension::cast(&d); }

}  // namespace

void commandDimTedit(CommandProcessor& cp) {
  HostApDocument* doc = cp.requireDocument();
  if (!doc) return;
  OdDbDimensionPtr dim = pickDimensionToChange(*doc);
  if (!dim) return;
  HostEdInput& input = cp.input();
  HostPointOptions moving;
  moving.base = dim->textPosition();
  // A window shows a copy with the text under the cursor.
  moving.preview = [&](const OdGePoint3d& at) -> OdDbEntityPtr {
    OdDbDimensionPtr copy = OdDbDimension::cast(dim->clone());
    if (copy) copy->setTextPosition(at);
    return copy;
  };
  const PointAnswer answer =
      askPoint(input, editText(EditText::kNewTextLocation), editText(EditText::kTextEditOptions), 0, moving);
  if (answer.kind == PointAnswer::kPoint) {
    dim->setTextPosition(answer.point);
  } else if (answer.kind != PointAnswer::kOption) {
    return;
  } else if (answer.option == kHome) {
    dim->useDefaultTextPosition();
  } else if (answer.option == kAngle) {
    const auto angle = askAngle(input, editText(EditText::kTextAngle), std::nullopt);
    if (!angle) return;
    dim->setTextRotation(*angle);
  } else {
    if (!takesJustification(*dim)) {
      input.print(editText(EditText::kJustifyNotForKind));
      return;
    }
    // 1 and 2 put the text beside the first or the second extension line.
    dim->setDimjust(answer.option == kLeft ? 1 : answer.option == kRight ? 2 : 0);
    // Justified text sits on the line again; a radius's text stays where
    // it was put, which is what places its leader.
    if (onLine(*dim)) dim->useDefaultTextPosition();
  }
  dim->recomputeDimBlock();
}

}  // namespace qrvhost
