#include "decimal_rounding.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace units {
namespace {

constexpr int kFaithfulDigits = 15;
constexpr int kMaxPlaces = 30;

// The value as kFaithfulDigits digits d.ddd... times 10^exponent.
struct Significant {
  std::string digits;
  int exponent = 0;
};

Significant faithfulDigits(double magnitude) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*e", kFaithfulDigits - 1, magnitude);
  Significant result;
  const char* p = text;
  for (; *p != '\0' && *p != 'e'; ++p)
    if (*p >= '0' && *p <= '9') result.digits += *p;
  if (*p == 'e') result.exponent = std::atoi(p + 1);
  return result;
}

// Adds one in the last place; true when the carry runs out of the digits.
bool incrementDigits(std::string& digits) {
  for (auto i = digits.size(); i-- > 0;) {
    if (digits[i] != '9') {
      ++digits[i];
      return false;
    }
    digits[i] = '0';
  }
  return true;
}

void stripLeadingZeros(std::string& digits) {
  const auto firstNonZero = digits.find_first_not_of('0');
  if (firstNonZero == std::string::npos)
    digits = "0";
  else
    digits.erase(0, firstNonZero);
}

}  // namespace

bool DecimalDigits::isZero() const {
  return whole.find_first_not_of('0') == std::string::npos &&
         fraction.find_first_not_of('0') == std::string::npos;
}

DecimalDigits roundToPlaces(double magnitude, int places) {
  places = std::clamp(places, 0, kMaxPlaces);
  magnitude = std::fabs(magnitude);
  DecimalDigits result;
  if (magnitude == 0.0 || !std::isfinite(magnitude)) {
    result.fraction.assign(places, '0');
    return result;
  }
  const Significant s = faithfulDigits(magnitude);
  const int digitCount = static_cast<int>(s.digits.size());
  const int pointAt = s.exponent + 1;  // digits standing before the point
  if (pointAt <= 0) {
    result.whole = "0";
    result.fraction = std::string(-pointAt, '0') + s.digits;
  } else if (pointAt >= digitCount) {
    result.whole = s.digits + std::string(pointAt - digitCount, '0');
    result.fraction.clear();
  } else {
    result.whole = s.digits.substr(0, pointAt);
    result.fraction = s.digits.substr(pointAt);
  }

  if (static_cast<int>(result.fraction.size()) > places) {
    const bool roundUp = result.fraction[places] >= '5';
    result.fraction.resize(places);
    if (roundUp) {
      std::string all = result.whole + result.fraction;
      if (incrementDigits(all)) all.insert(all.begin(), '1');
      result.whole = all.substr(0, all.size() - places);
      result.fraction = all.substr(all.size() - places);
    }
  } else {
    result.fraction.append(places - result.fraction.size(), '0');
  }
  stripLeadingZeros(result.whole);
  return result;
}

std::optional<std::uint64_t> roundToUnits(double magnitude, int places) {
  if (!std::isfinite(magnitude)) return std::nullopt;
  const DecimalDigits d = roundToPlaces(magnitude, places);
  const std::string all = d.whole + d.fraction;
  std::uint64_t count = 0;
  const auto [end, error] = std::from_chars(all.data(), all.data() + all.size(), count);
  if (error != std::errc{} || end != all.data() + all.size()) return std::nullopt;
  return count;
}

ScientificDigits roundToSignificant(double magnitude, int places) {
  places = std::clamp(places, 0, kFaithfulDigits - 1);
  magnitude = std::fabs(magnitude);
  ScientificDigits result;
  if (magnitude == 0.0 || !std::isfinite(magnitude)) {
    result.mantissa.fraction.assign(places, '0');
    return result;
  }
  Significant s = faithfulDigits(magnitude);
  const std::size_t keep = static_cast<std::size_t>(places) + 1;
  if (s.digits.size() > keep) {
    const bool roundUp = s.digits[keep] >= '5';
    s.digits.resize(keep);
    if (roundUp && incrementDigits(s.digits)) {
      // 9.99..5 became 10.00: one more digit before the point.
      s.digits.insert(s.digits.begin(), '1');
      s.digits.resize(keep);
      ++s.exponent;
    }
  }
  result.mantissa.whole = s.digits.substr(0, 1);
  result.mantissa.fraction = s.digits.substr(1);
  result.exponent = s.exponent;
  return result;
}

double roundToMultiple(double value, double step) {
  if (!(step > 0.0) || !std::isfinite(value)) return value;
  const double quotient = std::fabs(value) / step;
  if (!std::isfinite(quotient)) return value;
  const double multiples = std::strtod(roundToPlaces(quotient, 0).whole.c_str(), nullptr);
  return std::copysign(multiples * step, value);
}

std::uint64_t powerOfTen(int exponent) {
  std::uint64_t result = 1;
  for (int i = 0; i < std::clamp(exponent, 0, 19); ++i) result *= 10;
  return result;
}

std::string zeroPadded(std::uint64_t value, int width) {
  std::string digits = std::to_string(value);
  if (static_cast<int>(digits.size()) < width) digits.insert(0, width - digits.size(), '0');
  return digits;
}

}  // namespace units
