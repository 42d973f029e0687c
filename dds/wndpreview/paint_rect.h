#pragma once
// Where the preview's picture goes in its frame: as large as fits, with
// the picture's proportions, centred.
#include "ui_types.h"

namespace dds {

// The rectangle inside `client` that a picture of mw by mh takes. With
// rx = mw / cw and ry = mh / ch: a picture relatively wider than the
// frame (rx > ry) keeps the full width and floor(mh / rx) of height, the
// rest shared out by halving (toward zero) above and below; otherwise it
// keeps the full height and floor(mw / ry) of width, centred the same way
// across. An empty picture or frame gives the client rectangle.
ui::Rect previewPaintRect(const ui::Rect& client, double mw, double mh);

}  // namespace dds
