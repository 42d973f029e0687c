#pragma once
// The calculator behind edit boxes: a text such as "2*(3+4)^2/pi" to a
// number.
//
//   sum      := product (('+' | '-') product)*
//   product  := signed (('*' | '/') signed)*
//   signed   := ('-' | '+') signed | power
//   power    := atom ('^' signed)?          right associative: 2^3^2 = 2^9
//   atom     := number | 'pi' | '(' sum ')'
//
// A unary minus binds looser than '^' (-2^2 = -4) and may follow '^'
// (2^-1 = 0.5). Numbers are decimals and scientific numbers, and lengths
// written with a foot or inch mark (1'-2", 2 1/2"); a fraction without a
// mark is a division. "pi" may be written in any case. Blanks may stand
// between tokens.
//
// Division by zero, results that are not finite (overflow, 0^-1, (-8)^0.5),
// anything left unread, and nesting deeper than kMaxExpressionDepth fail;
// the evaluator never recurses deeper than that, whatever the text.
#include <optional>
#include <string_view>

namespace units {

constexpr int kMaxExpressionDepth = 200;

std::optional<double> evaluateExpression(std::string_view text, char separator = '.');

}  // namespace units
