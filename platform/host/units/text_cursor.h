#pragma once
// A read position in a text, for the hand-written readers of lengths, angles
// and expressions. Every scan either succeeds and moves past what it read, or
// fails and leaves the position where it was, so readers can try one form
// after another.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace units {

class TextCursor {
public:
  explicit TextCursor(std::string_view text) : text_(text) {}

  bool atEnd() const { return pos_ >= text_.size(); }
  char peek(std::size_t ahead = 0) const {
    return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0';
  }
  std::size_t position() const { return pos_; }
  void rewind(std::size_t position) { pos_ = position; }
  std::string_view consumedSince(std::size_t start) const {
    return text_.substr(start, pos_ - start);
  }

  // Blanks are spaces and tabs (and the other ASCII white space); true when
  // any were skipped.
  bool skipBlanks();
  bool accept(char c);
  bool acceptNoCase(char c);  // ASCII letters
  bool accept(std::string_view text);

  // Digits only; fails on overflow.
  std::optional<std::uint64_t> unsignedInteger();

  // "12", "12.5", ".5", "12.", "1.5e-3", "2E+01" without a sign. The point is
  // '.', or `separator` when that is a punctuation mark no unit text uses
  // otherwise (','). An 'e' not followed by digits is not read. Values that
  // do not fit a double (1e400, and 1e-400) fail.
  std::optional<double> unsignedDecimal(char separator);

private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

// True when `separator` may stand for the decimal point in a number.
bool isAlternativeSeparator(char separator);

}  // namespace units
