#include "linear_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "decimal_rounding.h"

namespace units {
namespace {

// The text of a value's magnitude, and whether it rounded to zero (a zero
// gets no minus sign).
struct MagnitudeText {
  std::string text;
  bool isZero = false;
};

DecimalStyle decimalStyle(const LinearOptions& o) {
  DecimalStyle style;
  style.suppressLeadingZero = (o.zeroSuppression & linear_zeros::kLeading) != 0;
  style.suppressTrailingZeros = (o.zeroSuppression & linear_zeros::kTrailing) != 0;
  style.separator = o.decimalSeparator;
  return style;
}

MagnitudeText decimalMagnitude(double magnitude, const LinearOptions& o) {
  const DecimalDigits digits = roundToPlaces(magnitude, o.precision);
  return {decimalText(digits, decimalStyle(o)), digits.isZero()};
}

MagnitudeText scientificMagnitude(double magnitude, const LinearOptions& o) {
  const ScientificDigits s = roundToSignificant(magnitude, o.precision);
  DecimalStyle style = decimalStyle(o);
  style.suppressLeadingZero = false;  // the mantissa always has its digit
  char exponent[16];
  std::snprintf(exponent, sizeof exponent, "E%+03d", s.exponent);
  return {decimalText(s.mantissa, style) + exponent, s.mantissa.isZero()};
}

// Which parts of a feet-and-inches text are written.
struct FeetInchLayout {
  bool showFeet = false;
  bool showInches = false;
};

FeetInchLayout feetInchLayout(std::uint64_t feet, bool inchesZero, int zeroSuppression) {
  const int mode = zeroSuppression & linear_zeros::kFeetInchMask;
  const bool keepZeroFeet = mode == 1 || mode == 2;
  const bool keepZeroInches = mode == 1 || mode == 3;
  FeetInchLayout layout;
  layout.showFeet = feet != 0 || keepZeroFeet;
  layout.showInches = !inchesZero || keepZeroInches || !layout.showFeet;
  return layout;
}

std::string joinFeetAndInches(std::uint64_t feet, const std::string& inches,
                              const FeetInchLayout& layout) {
  std::string text;
  if (layout.showFeet) text = std::to_string(feet) + "'";
  if (layout.showFeet && layout.showInches) text += "-";
  if (layout.showInches) text += inches + "\"";
  return text;
}

// Too large to count in units of the last place: decimal inches instead
// (and scientific ones past kScientificFrom).
MagnitudeText decimalInchesMagnitude(double magnitude, const LinearOptions& o) {
  MagnitudeText m = decimalMagnitude(magnitude, o);
  m.text += "\"";
  return m;
}

// The fraction formats' precision counts halvings, not decimal places; a
// value too large for fractions has no fraction worth writing.
LinearOptions wholeNumbers(LinearOptions o) {
  o.precision = 0;
  return o;
}

MagnitudeText engineeringMagnitude(double magnitude, const LinearOptions& o) {
  const std::uint64_t perInch = powerOfTen(o.precision);
  const auto count = roundToUnits(magnitude, o.precision);
  if (!count) return decimalInchesMagnitude(magnitude, o);
  const std::uint64_t perFoot = 12 * perInch;
  const std::uint64_t feet = *count / perFoot;
  const std::uint64_t rest = *count % perFoot;
  const FeetInchLayout layout = feetInchLayout(feet, rest == 0, o.zeroSuppression);
  DecimalDigits inches;
  inches.whole = std::to_string(rest / perInch);
  inches.fraction = o.precision > 0 ? zeroPadded(rest % perInch, o.precision) : "";
  return {joinFeetAndInches(feet, decimalText(inches, decimalStyle(o)), layout), *count == 0};
}

// The magnitude counted in 1/2^precision parts, when that count fits.
std::optional<std::uint64_t> fractionCount(double magnitude, int precision) {
  return roundToUnits(std::ldexp(magnitude, precision), 0);
}

MagnitudeText architecturalMagnitude(double magnitude, const LinearOptions& o) {
  const std::uint64_t perInch = std::uint64_t{1} << o.precision;
  const auto count = fractionCount(magnitude, o.precision);
  if (!count) return decimalInchesMagnitude(magnitude, wholeNumbers(o));
  const std::uint64_t perFoot = 12 * perInch;
  const std::uint64_t feet = *count / perFoot;
  const std::uint64_t rest = *count % perFoot;
  const FeetInchLayout layout = feetInchLayout(feet, rest == 0, o.zeroSuppression);
  const std::string inches = mixedNumberText(rest / perInch, rest % perInch, perInch,
                                             o.fractionStyle, layout.showFeet);
  return {joinFeetAndInches(feet, inches, layout), *count == 0};
}

MagnitudeText fractionalMagnitude(double magnitude, const LinearOptions& o) {
  const std::uint64_t perUnit = std::uint64_t{1} << o.precision;
  const auto count = fractionCount(magnitude, o.precision);
  if (!count) return decimalMagnitude(magnitude, wholeNumbers(o));
  return {mixedNumberText(*count / perUnit, *count % perUnit, perUnit, o.fractionStyle, false),
          *count == 0};
}

// From here on a whole number has more digits than a double holds: written
// out, most of them would be noise (1e308 would take 309 characters).
constexpr double kScientificFrom = 1e17;

MagnitudeText magnitudeText(double magnitude, const LinearOptions& o) {
  if (magnitude >= kScientificFrom) {
    // Feet-and-inch formats count inches; the fraction formats' precision
    // counts halvings, which a mantissa has no use for.
    const bool inches = o.format == LinearFormat::Architectural || o.format == LinearFormat::Engineering;
    const bool halvings = o.format == LinearFormat::Architectural || o.format == LinearFormat::Fractional;
    MagnitudeText m = scientificMagnitude(magnitude, halvings ? wholeNumbers(o) : o);
    if (inches) m.text += "\"";
    return m;
  }
  switch (o.format) {
    case LinearFormat::Scientific: return scientificMagnitude(magnitude, o);
    case LinearFormat::Engineering: return engineeringMagnitude(magnitude, o);
    case LinearFormat::Architectural: return architecturalMagnitude(magnitude, o);
    case LinearFormat::Fractional: return fractionalMagnitude(magnitude, o);
    case LinearFormat::Decimal:
    case LinearFormat::WindowsDesktop: break;
  }
  return decimalMagnitude(magnitude, o);
}

}  // namespace

bool isLinearFormat(int code) {
  return code >= static_cast<int>(LinearFormat::Scientific) &&
         code <= static_cast<int>(LinearFormat::WindowsDesktop);
}

std::string formatLinear(double value, const LinearOptions& options) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Inf" : "Inf";
  LinearOptions o = options;
  o.precision = std::clamp(o.precision, 0, kMaxPrecision);
  if (o.roundoff > 0.0) value = roundToMultiple(value, o.roundoff);
  const MagnitudeText m = magnitudeText(std::fabs(value), o);
  return (value < 0 && !m.isZero) ? "-" + m.text : m.text;
}

}  // namespace units
