#pragma once
// Lengths as text in the drawing's linear unit formats.
#include <string>

#include "number_text.h"

namespace units {

// The codes are those the drawing stores for its linear units.
enum class LinearFormat {
  Scientific = 1,      // 1.5500E+01
  Decimal = 2,         // 15.50
  Engineering = 3,     // 1'-3.50"  (feet and decimal inches)
  Architectural = 4,   // 1'-3 1/2" (feet, inches and a fraction)
  Fractional = 5,      // 15 1/2
  WindowsDesktop = 6,  // written as Decimal
};
bool isLinearFormat(int code);

// Zero suppression bits. The two low bits choose, for feet-and-inch formats,
// which zero parts are written:
//   0 suppress zero feet and exactly zero inches  (6"    1')
//   1 include both                                 (0'-6" 1'-0")
//   2 include zero feet, suppress zero inches      (0'-6" 1')
//   3 include zero inches, suppress zero feet      (6"    1'-0")
// When both parts would go, the inches stay (0").
namespace linear_zeros {
constexpr int kFeetInchMask = 3;
constexpr int kLeading = 4;   // decimals: 0.50 -> .50
constexpr int kTrailing = 8;  // decimals: 0.50 -> 0.5, 1.00 -> 1
}  // namespace linear_zeros

constexpr int kMaxPrecision = 8;

struct LinearOptions {
  LinearFormat format = LinearFormat::Decimal;
  // Decimal places, or for fractions the denominator 2^precision; 0..8.
  int precision = 4;
  int zeroSuppression = 0;
  char decimalSeparator = '.';
  // When > 0 the value is first rounded to the nearest multiple of this.
  double roundoff = 0.0;
  FractionStyle fractionStyle = FractionStyle::NotStacked;
};

// The value (in drawing units; inches for the feet-and-inch formats) as text.
// A negative value keeps its sign unless it rounds to zero. Values whose
// feet-and-inch or fraction form would overflow 64-bit counting are written
// as decimals (decimal inches with the inch mark for the feet formats).
// NaN and infinities are written "NaN", "Inf" and "-Inf".
std::string formatLinear(double value, const LinearOptions& options);

}  // namespace units
