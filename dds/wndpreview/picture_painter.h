#pragma once
// Plays a picture of the drawing gate on a device context of the window
// layer.
#include "device_context.h"
#include "drawing_gate.h"

namespace dds {

// Draws the picture stretched into `target` (pixels of the context).
// Text is drawn upright, centred where the picture has it, since device
// contexts draw no turned text.
void playPicture(const HostPicture& picture, ui::DeviceContext& dc, const ui::Rect& target);

}  // namespace dds
