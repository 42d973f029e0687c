#pragma once
// Opening the style editor from the manager and the New style dialog.
#include "OdDbObjectId.h"

namespace ui {
class Dialog;
}

namespace dds {

enum class StyleEditorOutcome { kAccepted, kCancelled };

// Edits the style, or the drawing's current values for a null identifier,
// modally over the owner.
StyleEditorOutcome runStyleEditor(OdDbObjectId style, ui::Dialog* owner);

}  // namespace dds
