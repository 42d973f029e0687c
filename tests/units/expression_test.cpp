// The edit-box calculator: precedence, associativity, atoms, and failures
// that must not crash.
#include <gtest/gtest.h>

#include <numbers>
#include <string>

#include "units/expression.h"

using namespace units;

TEST(Expressions, PrecedenceAndAssociativity) {
  const std::pair<const char*, double> cases[] = {
      {"1+2*3", 7.0},    {"(1+2)*3", 9.0},    {"2^3^2", 512.0},    {"-2^2", -4.0},
      {"2^-1", 0.5},     {"10-4-3", 3.0},     {"64/4/2", 8.0},     {"2--3", 5.0},
      {"2*-3", -6.0},    {"-(1+2)", -3.0},    {"+5", 5.0},         {"2^1/2", 1.0},
      {"1/2", 0.5},      {"(2)^(1+1)", 4.0},  {"8/2*4", 16.0},     {"2+3^2*2", 20.0},
  };
  for (const auto& [input, expected] : cases) {
    const auto value = evaluateExpression(input);
    ASSERT_TRUE(value.has_value()) << input;
    EXPECT_DOUBLE_EQ(*value, expected) << input;
  }
}

TEST(Expressions, AtomsAndBlanks) {
  EXPECT_DOUBLE_EQ(evaluateExpression(" 1.5e2 + 1 ").value(), 151.0);
  EXPECT_DOUBLE_EQ(evaluateExpression("PI").value(), std::numbers::pi);
  EXPECT_DOUBLE_EQ(evaluateExpression("2 * Pi").value(), 2 * std::numbers::pi);
  EXPECT_DOUBLE_EQ(evaluateExpression("1'-2\"*2").value(), 28.0);
  EXPECT_DOUBLE_EQ(evaluateExpression("2 1/2\" + 1").value(), 3.5);
  EXPECT_DOUBLE_EQ(evaluateExpression("1' - 3").value(), 9.0);
  EXPECT_DOUBLE_EQ(evaluateExpression(".5*4").value(), 2.0);
  EXPECT_DOUBLE_EQ(evaluateExpression("1,5*2", ',').value(), 3.0);
}

TEST(Expressions, FailuresInsteadOfNonsense) {
  for (const char* input : {"1/0", "1/(2-2)", "1e308*10", "(-8)^0.5", "0^-1", "", "  ", "2+",
                            "(1+2", "1+2)", "2 3", "pie", "abc", "2 1/2", "()", "2**3", "1e400",
                            "pi2", "2(3)"}) {
    EXPECT_FALSE(evaluateExpression(input).has_value()) << input;
  }
}

TEST(Expressions, NestingIsBoundedNotAStackOverflow) {
  const std::string fine = std::string(150, '(') + "1" + std::string(150, ')');
  EXPECT_DOUBLE_EQ(evaluateExpression(fine).value(), 1.0);
  const std::string deep = std::string(100000, '(') + "1" + std::string(100000, ')');
  EXPECT_FALSE(evaluateExpression(deep).has_value());
  EXPECT_FALSE(evaluateExpression(std::string(100000, '-') + "1").has_value());
  std::string powers;
  for (int i = 0; i < 50000; ++i) powers += "1^";
  EXPECT_FALSE(evaluateExpression(powers + "1").has_value());
  EXPECT_FALSE(evaluateExpression(std::string(100000, '(')).has_value());
}
