#pragma once
// Plays a picture of the drawing gate on a device context of the window
// layer.
#include "device_context.h"
#include "drawing_gate.h"

namespace dds {

// Draws the picture stretched into `target` (pixels of the context).
// Upright text is drawn as text, centred where the picture has it; turned
// text, which device contexts cannot draw, is filled from its glyphs'
// outlines.
void playPicture(const HostPicture& picture, ui::DeviceContext& dc, const ui::Rect& target);

}  // namespace dds
