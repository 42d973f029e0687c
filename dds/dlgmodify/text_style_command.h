#pragma once
// The host's text style dialog ("TextPropsCmd"), run from the style editor.
#include "dialog.h"

namespace dds {

// Runs the host's text style command over the editor window and waits for
// it. False, with a warning in the log, when the host offers no factory or
// no such command; the command then never ran.
bool runHostTextStyleDialog(ui::Dialog* editorWindow);

}  // namespace dds
