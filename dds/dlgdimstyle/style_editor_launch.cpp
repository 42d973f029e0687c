#include "style_editor_launch.h"

#include "dlgmodify/style_editor_dialog.h"

namespace dds {

StyleEditorOutcome runStyleEditor(OdDbObjectId style, ui::Dialog* owner) {
  StyleEditorDialog editor;
  editor.prepare(style);
  return editor.run(owner) == 1 ? StyleEditorOutcome::kAccepted : StyleEditorOutcome::kCancelled;
}

}  // namespace dds
