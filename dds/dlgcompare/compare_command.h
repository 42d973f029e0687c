#pragma once
// DIMCOMPARE: opens the Compare dialog from the command line, before the
// style manager offers it. In a window when the session has a display,
// headless otherwise (the script's lines then play the dialog's user).
#include "host_result.h"

namespace dds {

// Asks for the style to compare the current style with; "A,B" compares two
// styles, "*" stands for the drawing's current values, Enter lists every
// property of the current style.
void runCompareCommand();

// Registers DIMCOMPARE with the host (to be called from the module's
// entry). S_OK, or E_FAIL when the host has no command registry or
// refused the name.
HRESULT registerCompareCommand();

}  // namespace dds
