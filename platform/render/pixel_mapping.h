#pragma once
// How a picture's bounds fit into a box of pixels: one scale for both axes,
// centred, with a margin, y pointing down as devices count it. Shared by the
// picture writers so that they agree to the pixel.
#include <algorithm>
#include <cmath>

#include "display_list.h"

namespace render {

struct PixelMapping {
  double k = 1, minX = 0, maxY = 0, ox = 0, oy = 0;
  int widthPx = 1, heightPx = 1;

  double x(double v) const { return ox + (v - minX) * k; }
  double y(double v) const { return oy + (maxY - v) * k; }

  // heightPx 0 takes the height the picture's proportions ask for.
  static PixelMapping fit(const Bounds& b, int widthPx, int heightPx, double marginPx) {
    PixelMapping m;
    m.widthPx = std::clamp(widthPx, 1, 100000);
    const double bw = std::max(b.width(), 1e-9), bh = std::max(b.height(), 1e-9);
    const double innerW = std::max(1.0, m.widthPx - 2 * marginPx);
    if (heightPx <= 0) heightPx = int(std::ceil(innerW * bh / bw + 2 * marginPx));
    m.heightPx = std::clamp(heightPx, 1, 100000);
    const double innerH = std::max(1.0, m.heightPx - 2 * marginPx);
    m.k = b.empty() ? 1.0 : std::min(innerW / bw, innerH / bh);
    m.minX = b.empty() ? 0.0 : b.minX;
    m.maxY = b.empty() ? 0.0 : b.maxY;
    m.ox = marginPx + (innerW - bw * m.k) / 2;
    m.oy = marginPx + (innerH - bh * m.k) / 2;
    return m;
  }
};

}  // namespace render
