#include "length_parse.h"

#include <algorithm>
#include <cmath>

namespace units {
namespace {

// "3/4" or the stack codes "\S3/4;" and "\S3#4;".
std::optional<double> scanFraction(TextCursor& c) {
  const std::size_t start = c.position();
  const bool stacked = c.accept("\\S");
  const auto numerator = c.unsignedInteger();
  const bool bar = numerator && (c.accept('/') || (stacked && c.accept('#')));
  const auto denominator = bar ? c.unsignedInteger() : std::nullopt;
  if (!denominator || *denominator == 0 || (stacked && !c.accept(';'))) {
    c.rewind(start);
    return std::nullopt;
  }
  return static_cast<double>(*numerator) / static_cast<double>(*denominator);
}

bool allDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A decimal, a fraction, or a whole number and a fraction joined by blanks,
// a hyphen, or nothing before a stack code: "2.5", "3/4", "2 1/2", "2-1/2",
// "2\S1/2;".
std::optional<double> scanQuantity(TextCursor& c, char separator) {
  if (auto fraction = scanFraction(c)) return fraction;
  const std::size_t start = c.position();
  const auto number = c.unsignedDecimal(separator);
  if (!number) return std::nullopt;
  if (allDigits(c.consumedSince(start))) {
    const std::size_t afterWhole = c.position();
    const bool joined = c.skipBlanks() || c.accept('-');
    if (joined || c.peek() == '\\')
      if (auto fraction = scanFraction(c)) return *number + *fraction;
    c.rewind(afterWhole);
  }
  return number;
}

}  // namespace

std::optional<ScannedLength> scanUnsignedLength(TextCursor& c, char separator) {
  const auto first = scanQuantity(c, separator);
  if (!first) return std::nullopt;
  if (c.accept('"')) return ScannedLength{*first, true};
  if (!c.accept('\'')) return ScannedLength{*first, false};

  // Feet; inches may follow directly, after blanks, or after a hyphen
  // ("1'2", "1' 2", "1'-2"). A hyphen after a blank is not taken, so that
  // "1' - 3" inside an expression stays a subtraction.
  const double feetInInches = *first * 12.0;
  const std::size_t afterFeet = c.position();
  if (!c.skipBlanks() && c.accept('-')) c.skipBlanks();
  if (const auto inches = scanQuantity(c, separator)) {
    c.accept('"');
    return ScannedLength{feetInInches + *inches, true};
  }
  c.rewind(afterFeet);
  return ScannedLength{feetInInches, true};
}

std::optional<double> parseLength(std::string_view text, char separator) {
  TextCursor c(text);
  c.skipBlanks();
  const bool negative = c.accept('-');
  if (!negative) c.accept('+');
  const auto length = scanUnsignedLength(c, separator);
  c.skipBlanks();
  if (!length || !c.atEnd() || !std::isfinite(length->value)) return std::nullopt;
  return negative ? -length->value : length->value;
}

}  // namespace units
