#include "text_cursor.h"

#include <charconv>
#include <cmath>
#include <string>

namespace units {
namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }
char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

bool isAlternativeSeparator(char separator) {
  // Characters with a meaning of their own in unit texts and expressions
  // cannot double as the decimal point.
  static constexpr std::string_view kTaken = "'\"/-+#;\\%^*().";
  const bool punctuation = (separator >= '!' && separator <= '/') ||
                           (separator >= ':' && separator <= '@') ||
                           (separator >= '[' && separator <= '`') ||
                           (separator >= '{' && separator <= '~');
  return punctuation && kTaken.find(separator) == std::string_view::npos;
}

bool TextCursor::skipBlanks() {
  const std::size_t start = pos_;
  while (!atEnd() && isBlank(text_[pos_])) ++pos_;
  return pos_ != start;
}

bool TextCursor::accept(char c) {
  if (atEnd() || text_[pos_] != c) return false;
  ++pos_;
  return true;
}

bool TextCursor::acceptNoCase(char c) {
  if (atEnd() || lowerAscii(text_[pos_]) != lowerAscii(c)) return false;
  ++pos_;
  return true;
}

bool TextCursor::accept(std::string_view text) {
  if (text_.substr(pos_).substr(0, text.size()) != text) return false;
  pos_ += text.size();
  return true;
}

std::optional<std::uint64_t> TextCursor::unsignedInteger() {
  const std::size_t start = pos_;
  while (isDigit(peek())) ++pos_;
  const std::string_view digits = consumedSince(start);
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size()) {
    pos_ = start;
    return std::nullopt;
  }
  return value;
}

std::optional<double> TextCursor::unsignedDecimal(char separator) {
  const std::size_t start = pos_;
  std::string normalized;  // the number as from_chars reads it
  int mantissaDigits = 0;
  for (; isDigit(peek()); ++pos_, ++mantissaDigits) normalized += peek();
  if (peek() == '.' || (peek() == separator && isAlternativeSeparator(separator))) {
    ++pos_;
    normalized += '.';
    for (; isDigit(peek()); ++pos_, ++mantissaDigits) normalized += peek();
    if (normalized.back() == '.') normalized += '0';  // "12." reads as 12
  }
  if (mantissaDigits == 0) {
    pos_ = start;
    return std::nullopt;
  }
  if (peek() == 'e' || peek() == 'E') {
    const std::size_t beforeExponent = pos_;
    std::string exponent = "e";
    ++pos_;
    if (peek() == '+' || peek() == '-') exponent += text_[pos_++];
    if (isDigit(peek())) {
      for (; isDigit(peek()); ++pos_) exponent += peek();
      normalized += exponent;
    } else {
      pos_ = beforeExponent;
    }
  }
  double value = 0.0;
  const auto [end, error] =
      std::from_chars(normalized.data(), normalized.data() + normalized.size(), value);
  if (error != std::errc{} || end != normalized.data() + normalized.size() || !std::isfinite(value)) {
    pos_ = start;
    return std::nullopt;
  }
  return value;
}

}  // namespace units
