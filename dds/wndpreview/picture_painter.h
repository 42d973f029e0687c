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

// Where to play the picture so that everything it draws on this context,
// text in the context's own font included, fits `client` with `marginPx`
// free on every side, centred, in the picture's proportions.
ui::Rect fittedPictureRect(const HostPicture& picture, ui::DeviceContext& dc, const ui::Rect& client, int marginPx);

}  // namespace dds
