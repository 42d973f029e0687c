#include "expression.h"

#include <cmath>
#include <numbers>

#include "length_parse.h"
#include "text_cursor.h"

namespace units {
namespace {

std::optional<double> finite(double value) {
  return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

bool isNameCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

class ExpressionReader {
public:
  ExpressionReader(std::string_view text, char separator) : cursor_(text), separator_(separator) {}

  std::optional<double> read() {
    const auto value = sum();
    cursor_.skipBlanks();
    if (!value || !cursor_.atEnd()) return std::nullopt;
    return value;
  }

private:
  bool acceptOperator(char op) {
    const std::size_t start = cursor_.position();
    cursor_.skipBlanks();
    if (cursor_.accept(op)) return true;
    cursor_.rewind(start);
    return false;
  }

  std::optional<double> sum() {
    auto left = product();
    while (left) {
      if (acceptOperator('+')) {
        const auto right = product();
        left = right ? finite(*left + *right) : std::nullopt;
      } else if (acceptOperator('-')) {
        const auto right = product();
        left = right ? finite(*left - *right) : std::nullopt;
      } else {
        break;
      }
    }
    return left;
  }

  std::optional<double> product() {
    auto left = signedFactor();
    while (left) {
      if (acceptOperator('*')) {
        const auto right = signedFactor();
        left = right ? finite(*left * *right) : std::nullopt;
      } else if (acceptOperator('/')) {
        const auto right = signedFactor();
        left = (right && *right != 0.0) ? finite(*left / *right) : std::nullopt;
      } else {
        break;
      }
    }
    return left;
  }

  // Every nesting (parentheses, unary signs, powers) passes through here,
  // so this is where the depth is bounded.
  std::optional<double> signedFactor() {
    if (depth_ >= kMaxExpressionDepth) return std::nullopt;
    ++depth_;
    std::optional<double> value;
    if (acceptOperator('-')) {
      value = signedFactor();
      if (value) value = -*value;
    } else if (acceptOperator('+')) {
      value = signedFactor();
    } else {
      value = power();
    }
    --depth_;
    return value;
  }

  std::optional<double> power() {
    const auto base = atom();
    if (!base || !acceptOperator('^')) return base;
    const auto exponent = signedFactor();
    return exponent ? finite(std::pow(*base, *exponent)) : std::nullopt;
  }

  std::optional<double> atom() {
    cursor_.skipBlanks();
    if (cursor_.accept('(')) {
      const auto inner = sum();
      return (inner && acceptOperator(')')) ? inner : std::nullopt;
    }
    if ((cursor_.peek() == 'p' || cursor_.peek() == 'P') &&
        (cursor_.peek(1) == 'i' || cursor_.peek(1) == 'I') && !isNameCharacter(cursor_.peek(2))) {
      cursor_.rewind(cursor_.position() + 2);
      return std::numbers::pi;
    }
    const std::size_t start = cursor_.position();
    if (const auto length = scanUnsignedLength(cursor_, separator_);
        length && length->hasFootOrInchMark)
      return finite(length->value);
    cursor_.rewind(start);
    return cursor_.unsignedDecimal(separator_);
  }

  TextCursor cursor_;
  char separator_;
  int depth_ = 0;
};

}  // namespace

std::optional<double> evaluateExpression(std::string_view text, char separator) {
  return ExpressionReader(text, separator).read();
}

}  // namespace units
