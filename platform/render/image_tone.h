#pragma once
// An image's brightness, contrast and fade (0 to 100 each, as its record
// keeps them) applied to its pixels.
#include <memory>

#include "display_list.h"

namespace render {

struct ImageTone {
  int brightness = 50, contrast = 50, fade = 0;
  bool neutral() const { return brightness == 50 && contrast == 50 && fade == 0; }
  bool operator==(const ImageTone&) const = default;
};

// Each colour channel v (0 to 1) becomes
//   v' = 0.5 + (v - 0.5) * contrast / 50 + (brightness - 50) / 50,
// kept within 0 to 1, then blended towards the picture's background by
// fade / 100: contrast 0 is flat grey, 100 twice as steep; brightness 0
// and 100 push every pixel to black or white; fade 100 leaves only the
// background. Opacity is kept. Values outside 0 to 100 count as the
// nearest end. A neutral tone returns the pixels themselves.
std::shared_ptr<const ImagePixels> tonedPixels(const std::shared_ptr<const ImagePixels>& pixels, ImageTone tone,
                                               Rgb background);

}  // namespace render
