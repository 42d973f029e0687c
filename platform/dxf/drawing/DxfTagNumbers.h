#pragma once
// The numbers of records kept as read, for the descriptions drawing takes
// from them: a value that is not a number (or out of range) counts as the
// fallback, since reading checked and reported such values already.
#include <cmath>
#include <cstdint>

#include "DxfTag.h"

namespace dxftag {

inline double number(const DxfTag& t, double fallback = 0.0) {
  double v = 0;
  return dxfParseDouble(t.trimmed(), v) && std::isfinite(v) ? v : fallback;
}

inline int integer(const DxfTag& t) {
  std::int64_t v = 0;
  return dxfParseInt(t.trimmed(), v) && v >= INT32_MIN && v <= INT32_MAX ? int(v) : 0;
}

// A transparency (440, 441 and their kind): 0x02000000 with the opacity
// 0 (clear) to 255 (solid) in its lowest byte; by layer, by block and
// anything else count as solid.
inline double opacity(const DxfTag& t) {
  std::int64_t v = 0;
  if (!dxfParseInt(t.trimmed(), v) || (v & ~std::int64_t(0x020000FF)) != 0 || !(v & 0x02000000)) return 1.0;
  return double(v & 0xFF) / 255.0;
}

}  // namespace dxftag
