#include "setting_markers.h"

#include <algorithm>
#include <cmath>

#include "linear_format.h"

namespace units {

bool isIntMarker(int value) { return value == kUseDrawingSetting || value == kUseDrawingByte; }

int resolveFormat(int format, int drawingFormat) {
  return isIntMarker(format) ? drawingFormat : format;
}

int resolvePrecision(int precision, int drawingPrecision) {
  return std::clamp(isIntMarker(precision) ? drawingPrecision : precision, 0, kMaxPrecision);
}

int resolveZeroSuppression(int zeroSuppression, int drawingZeroSuppression) {
  return zeroSuppression == kUseDrawingSetting ? drawingZeroSuppression : zeroSuppression;
}

char resolveSeparator(int separator, char drawingSeparator) {
  // A character code of 0 (or a drawing without a separator) means the point.
  const char resolved =
      separator == kUseDrawingSetting ? drawingSeparator : static_cast<char>(separator & 0xFF);
  return resolved == '\0' ? '.' : resolved;
}

bool isRoundoffMarker(double roundoff) {
  return std::fabs(roundoff - kUseDrawingRoundoff) <= 1e-9;
}

}  // namespace units
