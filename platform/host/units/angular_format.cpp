#include "angular_format.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

#include "decimal_rounding.h"
#include "linear_format.h"
#include "number_text.h"

namespace units {
namespace {

struct MagnitudeText {
  std::string text;
  bool isZero = false;
};

DecimalStyle decimalStyle(const AngularOptions& o) {
  DecimalStyle style;
  style.suppressLeadingZero = (o.zeroSuppression & angular_zeros::kLeading) != 0;
  style.suppressTrailingZeros = (o.zeroSuppression & angular_zeros::kTrailing) != 0;
  style.separator = o.decimalSeparator;
  return style;
}

// A decimal format: degrees, gradians or radians with a suffix. `fullCircle`
// (0 for none) is the whole number a wrapped value must not round up to.
MagnitudeText decimalAngle(double magnitude, const AngularOptions& o, const char* suffix,
                           int fullCircle) {
  DecimalDigits digits = roundToPlaces(magnitude, o.precision);
  if (o.wrapToFullCircle && fullCircle > 0 && digits.whole == std::to_string(fullCircle) &&
      digits.fraction.find_first_not_of('0') == std::string::npos)
    digits.whole = "0";
  return {decimalText(digits, decimalStyle(o)) + suffix, digits.isZero()};
}

// Degrees-minutes-seconds are counted in whole units of the last field
// written, so that rounding carries: 45d59'59.9996" at whole seconds is 46d0'0".
struct DmsUnits {
  int fields = 1;          // 1 degrees, 2 with minutes, 3 with seconds
  int secondDecimals = 0;  // decimals of the seconds
  std::uint64_t perDegree = 1;
};

DmsUnits dmsUnits(int precision) {
  if (precision <= 0) return {1, 0, 1};
  if (precision <= 2) return {2, 0, 60};
  const int decimals = std::max(0, precision - 4);
  return {3, decimals, 3600 * powerOfTen(decimals)};
}

std::optional<std::uint64_t> countDmsUnits(double degrees, const DmsUnits& units) {
  return roundToUnits(degrees * static_cast<double>(units.perDegree), 0);
}

struct DmsField {
  std::string text;
  bool isZero;
};

std::string dmsText(std::uint64_t count, const DmsUnits& units, int zeroSuppression,
                    char separator) {
  std::vector<DmsField> fields;
  const std::uint64_t degrees = count / units.perDegree;
  fields.push_back({std::to_string(degrees) + "d", degrees == 0});
  if (units.fields >= 2) {
    const std::uint64_t perMinute = units.perDegree / 60;
    const std::uint64_t rest = count % units.perDegree;
    const std::uint64_t minutes = rest / perMinute;
    fields.push_back({std::to_string(minutes) + "'", minutes == 0});
    if (units.fields >= 3) {
      const std::uint64_t perSecond = perMinute / 60;
      const std::uint64_t secondUnits = rest % perMinute;
      DecimalDigits seconds;
      seconds.whole = std::to_string(secondUnits / perSecond);
      if (units.secondDecimals > 0)
        seconds.fraction = zeroPadded(secondUnits % perSecond, units.secondDecimals);
      DecimalStyle style;
      style.suppressTrailingZeros = (zeroSuppression & angular_zeros::kTrailing) != 0;
      style.separator = separator;
      fields.push_back({decimalText(seconds, style) + "\"", secondUnits == 0});
    }
  }
  if (zeroSuppression & angular_zeros::kTrailing)
    while (fields.size() > 1 && fields.back().isZero) fields.pop_back();
  if (zeroSuppression & angular_zeros::kLeading)
    while (fields.size() > 1 && fields.front().isZero) fields.erase(fields.begin());
  std::string text;
  for (const auto& field : fields) text += field.text;
  return text;
}

MagnitudeText dmsAngle(double magnitude, const AngularOptions& o) {
  const DmsUnits units = dmsUnits(o.precision);
  auto count = countDmsUnits(magnitude, units);
  if (!count) return decimalAngle(magnitude, o, "", 0);
  if (o.wrapToFullCircle && *count == 360 * units.perDegree) count = 0;
  return {dmsText(*count, units, o.zeroSuppression, o.decimalSeparator), *count == 0};
}

// A bearing: the angle from north or south towards east or west, for a
// direction measured counter-clockwise from east. The direction is rounded
// first, so that a bearing rounding to 0 or 90 degrees becomes the cardinal
// letter.
std::string surveyorAngle(double direction, const AngularOptions& o) {
  const DmsUnits units = dmsUnits(o.precision);
  const std::uint64_t quarter = 90 * units.perDegree;
  const std::uint64_t count = countDmsUnits(direction, units).value_or(0) % (4 * quarter);
  if (count == 0) return "E";
  if (count == quarter) return "N";
  if (count == 2 * quarter) return "W";
  if (count == 3 * quarter) return "S";
  const char* ns = count < 2 * quarter ? "N" : "S";
  const char* ew = (count < quarter || count > 3 * quarter) ? "E" : "W";
  const std::uint64_t fromAxis = count < quarter       ? quarter - count
                                 : count < 2 * quarter ? count - quarter
                                 : count < 3 * quarter ? 3 * quarter - count
                                                       : count - 3 * quarter;
  return ns + dmsText(fromAxis, units, 0, o.decimalSeparator) + ew;
}

double wrappedDegrees(double degrees) {
  double wrapped = std::fmod(degrees, 360.0);
  if (wrapped < 0) wrapped += 360.0;
  return wrapped >= 360.0 ? 0.0 : wrapped;
}

}  // namespace

bool isAngularFormat(int code) {
  return code >= static_cast<int>(AngularFormat::DecimalDegrees) &&
         code <= static_cast<int>(AngularFormat::Surveyor);
}

std::string formatAngleDegrees(double degrees, const AngularOptions& options) {
  if (std::isnan(degrees)) return "NaN";
  if (std::isinf(degrees)) return degrees < 0 ? "-Inf" : "Inf";
  AngularOptions o = options;
  o.precision = std::clamp(o.precision, 0, kMaxPrecision);
  if (o.roundoffDegrees > 0.0) degrees = roundToMultiple(degrees, o.roundoffDegrees);
  if (o.format == AngularFormat::Surveyor) return surveyorAngle(wrappedDegrees(degrees), o);
  if (o.wrapToFullCircle) degrees = wrappedDegrees(degrees);

  const double magnitude = std::fabs(degrees);
  MagnitudeText m;
  switch (o.format) {
    case AngularFormat::DegreesMinutesSeconds: m = dmsAngle(magnitude, o); break;
    case AngularFormat::Gradians: m = decimalAngle(magnitude * 400.0 / 360.0, o, "g", 400); break;
    case AngularFormat::Radians:
      m = decimalAngle(magnitude * std::numbers::pi / 180.0, o, "r", 0);
      break;
    case AngularFormat::DecimalDegrees:
    case AngularFormat::Surveyor: m = decimalAngle(magnitude, o, "", 360); break;
  }
  return (degrees < 0 && !m.isZero) ? "-" + m.text : m.text;
}

std::string formatAngle(double radians, const AngularOptions& options) {
  return formatAngleDegrees(radians * 180.0 / std::numbers::pi, options);
}

}  // namespace units
