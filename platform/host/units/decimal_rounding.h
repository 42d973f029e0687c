#pragma once
// Rounding of values for display.
//
// A double holds about 15 significant decimal digits faithfully; the digits
// after those are binary noise (2.675 is stored as 2.67499999999999982...,
// 0.1 + 0.2 as 0.30000000000000004). A value is therefore first reduced to 15
// significant digits and only then rounded, half away from zero, at the place
// asked for. 2.675 at two places gives 2.68 as the user who typed it expects,
// and no text ever shows the noise. All work is done on decimal digit strings,
// so the result is exact whatever the magnitude.
#include <cstdint>
#include <optional>
#include <string>

namespace units {

// A non-negative number as decimal digits: `whole` has no leading zeros but
// is "0" below one; `fraction` has exactly the number of places asked for.
struct DecimalDigits {
  std::string whole = "0";
  std::string fraction;
  bool isZero() const;
};

// |magnitude| rounded to `places` decimals (0..30).
DecimalDigits roundToPlaces(double magnitude, int places);

// |magnitude| rounded to `places` decimals and counted in units of
// 10^-places (2.675, 2 places -> 268); empty when the count exceeds 64 bits.
std::optional<std::uint64_t> roundToUnits(double magnitude, int places);

// |magnitude| as mantissa and exponent: the mantissa has one digit before the
// point (1..9, or 0 for zero) and `places` after it.
struct ScientificDigits {
  DecimalDigits mantissa;
  int exponent = 0;
};
ScientificDigits roundToSignificant(double magnitude, int places);

// The value rounded to the nearest multiple of step (step > 0); values too
// large to divide come back unchanged.
double roundToMultiple(double value, double step);

// 10^exponent for exponent 0..19.
std::uint64_t powerOfTen(int exponent);

// The digits of `value` with leading zeros up to `width`.
std::string zeroPadded(std::uint64_t value, int width);

}  // namespace units
