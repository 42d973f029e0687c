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

}  // namespace dxftag
