// -DIMGRIP: moves a grip of one dimension; the window types it when a grip
// is dragged, so that each drag is one undo step like any command.
#include "OdDbDimension.h"
#include "command_processor.h"
#include "dim_edit_texts.h"
#include "documents.h"
#include "drafting_input.h"
#include "host_commands.h"
#include "keyword_list.h"
#include "selection.h"

#ifdef QRVHOST_HAVE_RENDER
#include "dim_grips.h"
#endif

namespace qrvhost {

void commandDimGrip(CommandProcessor& cp) {
#ifdef QRVHOST_HAVE_RENDER
  HostApDocument* doc = cp.requireDocument();
  if (!doc) return;
  HostEdInput& input = cp.input();
  OdDbDimensionPtr dim;
  for (;;) {
    OdDbObjectIdArray picked;
    if (doc->selectionManager()->select(editText(EditText::kSelectDimension), kSelSingle | kSelCallerPrompt, picked) !=
        kSelectionOk)
      return;
    dim = OdDbDimension::cast(picked.front().safeOpenObject(OdDb::kForWrite));
    if (dim) break;
    input.print(editText(EditText::kNotDimension));
  }
  const OdString options = editText(EditText::kGripOptions);
  const int r = input.getKeyword(editText(EditText::kGripPrompt), options, 0);
  if (r < kPromptKeyword) return;
  const int locals = static_cast<int>(HostKeywordList(options).local().size());
  const int index = (r - kPromptKeyword) % locals;
  const render::DimGrip grip = index == 0 ? render::DimGrip::kText : render::DimGrip::kLine;
  const PointAnswer to = askPoint(input, editText(EditText::kGripLocation), "", 0);
  if (to.kind != PointAnswer::kPoint) return;
  if (!render::dragGrip(*dim, grip, to.point)) input.print(editText(EditText::kGripRefused));
#else
  (void)cp;
#endif
}

}  // namespace qrvhost
