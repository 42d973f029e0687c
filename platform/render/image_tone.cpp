#include "image_tone.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace render {

std::shared_ptr<const ImagePixels> tonedPixels(const std::shared_ptr<const ImagePixels>& pixels, ImageTone tone,
                                               Rgb background) {
  if (!pixels || tone.neutral()) return pixels;
  const double contrast = std::clamp(tone.contrast, 0, 100) / 50.0;
  const double shift = (std::clamp(tone.brightness, 0, 100) - 50) / 50.0;
  const double fade = std::clamp(tone.fade, 0, 100) / 100.0;
  // One table per channel: the background it fades to differs.
  std::array<std::array<std::uint8_t, 256>, 3> table{};
  const std::array<double, 3> towards{background.r / 255.0, background.g / 255.0, background.b / 255.0};
  for (std::size_t c = 0; c < 3; ++c)
    for (int v = 0; v < 256; ++v) {
      const double toned = std::clamp(0.5 + (v / 255.0 - 0.5) * contrast + shift, 0.0, 1.0);
      const double faded = toned + (towards[c] - toned) * fade;
      table[c][std::size_t(v)] = std::uint8_t(std::lround(faded * 255));
    }
  auto out = std::make_shared<ImagePixels>(*pixels);
  for (std::size_t i = 0; i + 3 < out->rgba.size(); i += 4)
    for (std::size_t c = 0; c < 3; ++c) out->rgba[i + c] = table[c][out->rgba[i + c]];
  return out;
}

}  // namespace render
