#pragma once
// Reading lengths as users type them and as the linear formats write them.
//
// Accepted, with an optional leading sign and blanks around the whole:
//   decimals and scientific   12.5   .5   -3.5e2   1.5500E+01
//   fractions                 3/4   2 1/2   2-1/2   stack codes \S1/2; \S1#2;
//   inches                    14"   2 1/2"   .50"
//   feet                      2'   1.5'
//   feet and inches           1'-2 1/2"   1'2"   1' 2"   1'-2.5"   1'2
// Feet and inches give inches (the drawing unit of those formats). Anything
// else in the text makes the reading fail; nothing is read partially.
#include <optional>
#include <string_view>

#include "text_cursor.h"

namespace units {

struct ScannedLength {
  double value = 0.0;
  bool hasFootOrInchMark = false;  // written with ' or "
};

// Reads an unsigned length at the cursor, as far as it goes (used inside
// expressions too); on failure the cursor does not move.
std::optional<ScannedLength> scanUnsignedLength(TextCursor& cursor, char separator);

// The whole text as a length.
std::optional<double> parseLength(std::string_view text, char separator = '.');

}  // namespace units
