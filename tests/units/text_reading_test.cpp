// Lengths and angles from text: every accepted form, and refusals instead of
// partial readings.
#include <gtest/gtest.h>

#include <numbers>

#include "units/angle_parse.h"
#include "units/length_parse.h"

using namespace units;

namespace {
constexpr double kDegree = std::numbers::pi / 180.0;
}

TEST(LengthReading, FormsUsersTypeAndFormatsWrite) {
  const std::pair<const char*, double> cases[] = {
      {"12.5", 12.5},        {"-3.5e2", -350.0},          {"1'-2 1/2\"", 14.5},
      {"1'2\"", 14.0},       {"14\"", 14.0},              {"2'", 24.0},
      {"2 1/2", 2.5},        {"3/4", 0.75},               {"1'-2.5\"", 14.5},
      {"  7\t ", 7.0},       {".5", 0.5},                 {"5.", 5.0},
      {"+4", 4.0},           {"-1'-6\"", -18.0},          {"1' 2", 14.0},
      {"1'2", 14.0},         {"2-1/2", 2.5},              {"1.5'", 18.0},
      {"2\\S1/2;", 2.5},     {"1'-2\\S1#2;\"", 14.5},     {"1'-.50\"", 12.5},
      {"1.5500E+01", 15.5},  {"0'-0 1/2\"", 0.5},         {"21/2", 10.5},
  };
  for (const auto& [input, expected] : cases) {
    const auto value = parseLength(input);
    ASSERT_TRUE(value.has_value()) << input;
    EXPECT_DOUBLE_EQ(*value, expected) << input;
  }
}

TEST(LengthReading, RefusesRatherThanReadingPart) {
  for (const char* input : {"", "   ", "abc", "12abc", "12 13", "1/0", "1'-", "--1", "- 1", "1e",
                            "1e400", "1''", "1\"2", "3/", "/4", "1.2.3", "1'-2\"x", "1,5", "1' -2",
                            "\\S1/2", "2 1/2 3"}) {
    EXPECT_FALSE(parseLength(input).has_value()) << input;
  }
}

TEST(LengthReading, DrawingSeparatorStandsBesideThePoint) {
  EXPECT_DOUBLE_EQ(parseLength("1,5", ',').value(), 1.5);
  EXPECT_DOUBLE_EQ(parseLength("1.5", ',').value(), 1.5);
  EXPECT_DOUBLE_EQ(parseLength("1'-2,5\"", ',').value(), 14.5);
  EXPECT_DOUBLE_EQ(parseLength("1/2", '/').value(), 0.5) << "a taken character is no point";
}

// Degrees in every form, and bearings in every quadrant.
TEST(AngleReading, FormsInDegreesAndBearings) {
  const std::pair<const char*, double> cases[] = {
      {"45", 45.0},          {"45.5", 45.5},          {"45d30'15\"", 45.50416666666667},
      {"45d", 45.0},         {"45D", 45.0},           {"50g", 45.0},
      {"-45d", -45.0},       {"45\xC2\xB0", 45.0},    {"45%%d30'", 45.5},
      {"30'", 0.5},          {"15\"", 15.0 / 3600},   {"45d 30'", 45.5},
      {" +10 ", 10.0},       {"1.5e1d", 15.0},        {"45d0'15.5\"", 45.0 + 15.5 / 3600},
      {"N45d30'E", 44.5},    {"N45dW", 135.0},        {"S10dW", 260.0},
      {"S10dE", 280.0},      {"n 45 e", 45.0},        {"N", 90.0},
      {"S", 270.0},          {"E", 0.0},              {"w", 180.0},
      {"N90dE", 0.0},        {"N0dW", 90.0},          {"S45d0'0\"E", 315.0},
  };
  for (const auto& [input, degrees] : cases) {
    const auto value = parseAngle(input, AngularFormat::DecimalDegrees);
    ASSERT_TRUE(value.has_value()) << input;
    EXPECT_NEAR(*value, degrees * kDegree, 1e-12) << input;
  }
  EXPECT_NEAR(parseAngle("0.5r", AngularFormat::DecimalDegrees).value(), 0.5, 1e-15);
}

TEST(AngleReading, PlainNumbersUseTheGivenUnit) {
  EXPECT_NEAR(parseAngle("50", AngularFormat::Gradians).value(), 45 * kDegree, 1e-12);
  EXPECT_NEAR(parseAngle("0.5", AngularFormat::Radians).value(), 0.5, 1e-15);
  EXPECT_NEAR(parseAngle("45", AngularFormat::Surveyor).value(), 45 * kDegree, 1e-12);
  EXPECT_NEAR(parseAngle("45d", AngularFormat::Radians).value(), 45 * kDegree, 1e-12);
}

TEST(AngleReading, Refusals) {
  for (const char* input : {"", "  ", "abc", "45x", "45d75'", "45d30'75\"", "45d30'15\"junk",
                            "N95dE", "N45d", "-N45dE", "45dd", "NE", "45 30'", "30'45d", "g",
                            "1e400"}) {
    EXPECT_FALSE(parseAngle(input, AngularFormat::DecimalDegrees).has_value()) << input;
  }
}
