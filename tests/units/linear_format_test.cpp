// Lengths to text: every linear format, its zero suppression, rounding and
// signs.
#include <gtest/gtest.h>

#include "units/linear_format.h"

using namespace units;

namespace {
std::string text(double value, LinearFormat format, int precision, int zeros = 0,
                 FractionStyle fractions = FractionStyle::NotStacked, char separator = '.',
                 double roundoff = 0.0) {
  LinearOptions o;
  o.format = format;
  o.precision = precision;
  o.zeroSuppression = zeros;
  o.fractionStyle = fractions;
  o.decimalSeparator = separator;
  o.roundoff = roundoff;
  return formatLinear(value, o);
}
constexpr auto kDec = LinearFormat::Decimal;
constexpr auto kSci = LinearFormat::Scientific;
constexpr auto kEng = LinearFormat::Engineering;
constexpr auto kArch = LinearFormat::Architectural;
constexpr auto kFrac = LinearFormat::Fractional;
}  // namespace

TEST(DecimalLengths, RoundAsTypedNotAsStored) {
  EXPECT_EQ(text(2.675, kDec, 2), "2.68");  // stored as 2.67499999...
  EXPECT_EQ(text(1.005, kDec, 2), "1.01");
  EXPECT_EQ(text(0.1 + 0.2, kDec, 8), "0.30000000");
  EXPECT_EQ(text(9.9996, kDec, 3), "10.000");
  EXPECT_EQ(text(0.5, kDec, 0), "1");
  EXPECT_EQ(text(123456789.5, kDec, 0), "123456790");
  EXPECT_EQ(text(1e16, kDec, 2), "10000000000000000.00");
  EXPECT_EQ(text(1e308, kDec, 4), "1.0000E+308") << "more digits than a double holds";
  EXPECT_EQ(text(1.23456789, kDec, 12), "1.23456789") << "precision is capped at 8";
}

TEST(DecimalLengths, NegativeValuesKeepTheirSignUnlessTheyRoundToZero) {
  EXPECT_EQ(text(-3.5, kDec, 1), "-3.5");
  EXPECT_EQ(text(-0.00001, kDec, 4), "0.0000");
}

TEST(DecimalLengths, ZeroSuppressionBitsAndSeparator) {
  EXPECT_EQ(text(0.5, kDec, 2, 0), "0.50");
  EXPECT_EQ(text(0.5, kDec, 2, 4), ".50");
  EXPECT_EQ(text(0.5, kDec, 2, 8), "0.5");
  EXPECT_EQ(text(0.5, kDec, 2, 12), ".5");
  EXPECT_EQ(text(-0.5, kDec, 2, 12), "-.5");
  EXPECT_EQ(text(1.0, kDec, 2, 8), "1");
  EXPECT_EQ(text(0.0, kDec, 2, 12), "0");
  EXPECT_EQ(text(2.5, kDec, 2, 0, FractionStyle::NotStacked, ','), "2,50");
  EXPECT_EQ(text(2.5, LinearFormat::WindowsDesktop, 2), "2.50");
}

TEST(DecimalLengths, RoundoffToNearestMultiple) {
  EXPECT_EQ(text(1.37, kDec, 2, 0, FractionStyle::NotStacked, '.', 0.25), "1.25");
  EXPECT_EQ(text(1.38, kDec, 2, 0, FractionStyle::NotStacked, '.', 0.25), "1.50");
  EXPECT_EQ(text(-1.38, kDec, 2, 0, FractionStyle::NotStacked, '.', 0.25), "-1.50");
  EXPECT_EQ(text(0.35, kDec, 8, 0, FractionStyle::NotStacked, '.', 0.1), "0.40000000");
}

TEST(ScientificLengths, MantissaRoundsAndCarriesIntoTheExponent) {
  EXPECT_EQ(text(15.5, kSci, 4), "1.5500E+01");
  EXPECT_EQ(text(0.00123, kSci, 2), "1.23E-03");
  EXPECT_EQ(text(9.9996, kSci, 3), "1.000E+01");
  EXPECT_EQ(text(0.0, kSci, 4), "0.0000E+00");
  EXPECT_EQ(text(-15.5, kSci, 4), "-1.5500E+01");
  EXPECT_EQ(text(15.5, kSci, 4, 8), "1.55E+01");
  EXPECT_EQ(text(1e300, kSci, 1), "1.0E+300");
}

TEST(EngineeringLengths, FeetAndDecimalInchesUnderEachZeroMode) {
  EXPECT_EQ(text(14.5, kEng, 2), "1'-2.50\"");
  EXPECT_EQ(text(-14.5, kEng, 2), "-1'-2.50\"");
  const char* whole[] = {"1'", "1'-0.00\"", "1'", "1'-0.00\""};
  const char* inchesOnly[] = {"6.00\"", "0'-6.00\"", "0'-6.00\"", "6.00\""};
  for (int mode = 0; mode < 4; ++mode) {
    EXPECT_EQ(text(12.0, kEng, 2, mode), whole[mode]) << mode;
    EXPECT_EQ(text(6.0, kEng, 2, mode), inchesOnly[mode]) << mode;
  }
  EXPECT_EQ(text(0.0, kEng, 2, 0), "0.00\"");
  EXPECT_EQ(text(0.0, kEng, 2, 2), "0'");
  EXPECT_EQ(text(0.5, kEng, 2, 4), ".50\"");
  EXPECT_EQ(text(12.5, kEng, 2, 8 | 1), "1'-0.5\"");
  EXPECT_EQ(text(23.999, kEng, 2), "2'") << "11.999 inches round up to a whole foot";
  EXPECT_EQ(text(14.5, kEng, 2, 0, FractionStyle::NotStacked, ','), "1'-2,50\"");
}

TEST(ArchitecturalLengths, FeetInchesAndReducedFractions) {
  EXPECT_EQ(text(14.5, kArch, 4), "1'-2 1/2\"");
  EXPECT_EQ(text(12.5, kArch, 4), "1'-0 1/2\"");
  EXPECT_EQ(text(0.5, kArch, 4), "1/2\"");
  EXPECT_EQ(text(0.5, kArch, 4, 1), "0'-0 1/2\"");
  EXPECT_EQ(text(-14.5, kArch, 4), "-1'-2 1/2\"");
  EXPECT_EQ(text(14.5, kArch, 0), "1'-3\"");
  EXPECT_EQ(text(23.0 + 63.0 / 64.0, kArch, 6), "1'-11 63/64\"");
  EXPECT_EQ(text(-1.0 / 256, kArch, 4), "0\"");
}

TEST(ArchitecturalLengths, FractionRoundingUpToAWholeFoot) {
  const double almostTwoFeet = 23.0 + 63.0 / 64.0 + 0.01;
  EXPECT_EQ(text(almostTwoFeet, kArch, 6, 0), "2'");
  EXPECT_EQ(text(almostTwoFeet, kArch, 6, 1), "2'-0\"");
  EXPECT_EQ(text(11.999, kArch, 4, 3), "1'-0\"");
}

TEST(ArchitecturalLengths, StackedFractionsForDimensionText) {
  EXPECT_EQ(text(14.5, kArch, 4, 0, FractionStyle::Horizontal), "1'-2\\S1/2;\"");
  EXPECT_EQ(text(14.5, kArch, 4, 0, FractionStyle::Diagonal), "1'-2\\S1#2;\"");
}

TEST(ArchitecturalLengths, HugeValuesFallBackToDecimalThenScientificInches) {
  EXPECT_EQ(text(9e16, kArch, 8), "90000000000000000\"");
  EXPECT_EQ(text(1e30, kArch, 8), "1E+30\"");
  EXPECT_EQ(text(1e30, kEng, 2), "1.00E+30\"");
  EXPECT_EQ(text(-1e30, kFrac, 8), "-1E+30");
}

TEST(FractionalLengths, WholeNumbersAndFractions) {
  EXPECT_EQ(text(2.5, kFrac, 4), "2 1/2");
  EXPECT_EQ(text(0.75, kFrac, 4), "3/4");
  EXPECT_EQ(text(0.0, kFrac, 4), "0");
  EXPECT_EQ(text(-2.5, kFrac, 4), "-2 1/2");
  EXPECT_EQ(text(-0.03, kFrac, 2), "0");
  EXPECT_EQ(text(2.999, kFrac, 3), "3");
  EXPECT_EQ(text(2.5, kFrac, 4, 0, FractionStyle::Horizontal), "2\\S1/2;");
  EXPECT_EQ(text(0.5, kFrac, 4, 0, FractionStyle::Diagonal), "\\S1#2;");
}
