#include "number_text.h"

#include <numeric>

namespace units {

std::string decimalText(DecimalDigits digits, const DecimalStyle& style) {
  const bool zero = digits.isZero();
  if (style.suppressTrailingZeros) {
    const auto lastNonZero = digits.fraction.find_last_not_of('0');
    digits.fraction.resize(lastNonZero == std::string::npos ? 0 : lastNonZero + 1);
  }
  if (style.suppressLeadingZero && !zero && digits.whole == "0") digits.whole.clear();
  std::string text = digits.whole;
  if (!digits.fraction.empty()) {
    text += style.separator;
    text += digits.fraction;
  }
  return text.empty() ? "0" : text;
}

namespace {
std::string fractionText(std::uint64_t numerator, std::uint64_t denominator,
                         FractionStyle style) {
  const std::string num = std::to_string(numerator);
  const std::string den = std::to_string(denominator);
  switch (style) {
    case FractionStyle::Horizontal: return "\\S" + num + "/" + den + ";";
    case FractionStyle::Diagonal: return "\\S" + num + "#" + den + ";";
    case FractionStyle::NotStacked: break;
  }
  return num + "/" + den;
}
}  // namespace

std::string mixedNumberText(std::uint64_t whole, std::uint64_t numerator,
                            std::uint64_t denominator, FractionStyle style,
                            bool keepZeroWhole) {
  if (numerator == 0 || denominator == 0) return std::to_string(whole);
  const std::uint64_t common = std::gcd(numerator, denominator);
  const std::string fraction = fractionText(numerator / common, denominator / common, style);
  if (whole == 0 && !keepZeroWhole) return fraction;
  const char* gap = style == FractionStyle::NotStacked ? " " : "";
  return std::to_string(whole) + gap + fraction;
}

}  // namespace units
