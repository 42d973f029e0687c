#pragma once
// The pieces every unit text is made of: decimals with their zeros
// suppressed or kept, and fractions written plain or as stack codes of
// formatted text, so that a dimension shows them one above the other.
#include <cstdint>
#include <string>

#include "decimal_rounding.h"

namespace units {

struct DecimalStyle {
  bool suppressLeadingZero = false;    // 0.50 -> .50
  bool suppressTrailingZeros = false;  // 0.50 -> 0.5, 1.00 -> 1
  char separator = '.';
};

// The digits as text. A zero keeps its leading zero ("0.00", or "0" when the
// trailing zeros go too), so that no text is ever empty or a lone separator.
std::string decimalText(DecimalDigits digits, const DecimalStyle& style);

// How a fraction is written: stacked horizontally (formatted-text code
// "\S1/2;"), stacked diagonally ("\S1#2;"), or plain "1/2".
enum class FractionStyle { Horizontal, Diagonal, NotStacked };

// A whole number and a fraction, the fraction reduced to lowest terms:
// "2 1/2", "2\S1/2;" (a stack needs no blank before it), "1/2", "2". A zero
// whole number is written only when keepZeroWhole is set ("0 1/2").
std::string mixedNumberText(std::uint64_t whole, std::uint64_t numerator,
                            std::uint64_t denominator, FractionStyle style,
                            bool keepZeroWhole);

}  // namespace units
