#include "paint_rect.h"

#include <cmath>

namespace dds {

ui::Rect previewPaintRect(const ui::Rect& client, double mw, double mh) {
  const int cw = client.cx, ch = client.cy;
  if (cw <= 0 || ch <= 0 || !(mw > 0) || !(mh > 0) || !std::isfinite(mw) || !std::isfinite(mh)) return client;
  const double rx = mw / cw, ry = mh / ch;
  ui::Rect r = client;
  if (rx > ry) {
    const int target = int(std::floor(mh / rx));
    const int half = (ch - target) / 2;
    r.y += half;
    r.cy -= 2 * half;
  } else {
    const int target = int(std::floor(mw / ry));
    const int half = (cw - target) / 2;
    r.x += half;
    r.cx -= 2 * half;
  }
  return r;
}

}  // namespace dds
