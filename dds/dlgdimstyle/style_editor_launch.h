#pragma once
// Opening the style editor from the manager and the New style dialog. The
// editor is not part of the module yet: until it is, asking for it tells the
// user so (command line and log) instead of opening nothing in silence.
#include "OdDbObjectId.h"

namespace ui {
class Dialog;
}

namespace dds {

enum class StyleEditorOutcome { kAccepted, kCancelled, kUnavailable };

// Edits the style, or the drawing's current values for a null identifier,
// modally over the owner.
StyleEditorOutcome runStyleEditor(OdDbObjectId style, ui::Dialog* owner);

}  // namespace dds
