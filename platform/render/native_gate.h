#pragma once
// The host's native drawing gate made from the renderer: entities become a
// display list, kept as the picture, played into rectangles and written as
// SVG or PNG. The host installs it at start (modules reach it only through
// drawing_gate.h).
#include "display_list.h"
#include "drawing_gate.h"

namespace render {

// Makes gpQrNativeGate this renderer's gate (safe to call again).
void installNativeGate();
// Withdraws it again when it is installed.
void uninstallNativeGate();

// A display list as a picture of the gate.
HostPicturePtr pictureOf(DisplayList list);

}  // namespace render
