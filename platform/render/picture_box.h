#pragma once
// Which pictures a selection box takes, by the picture itself as the
// window draws and picks it: a window takes a picture wholly inside the
// box, a crossing box one with any part inside. The command line's W and C
// answers follow the same rule as a box dragged in the window.
#include "display_list.h"

namespace render {

bool pictureInside(const DisplayList& picture, const Bounds& box);
bool pictureCrosses(const DisplayList& picture, const Bounds& box);

}  // namespace render
