// Angles to text: decimal degrees, degrees-minutes-seconds, gradians,
// radians and bearings.
#include <gtest/gtest.h>

#include <cmath>

#include <numbers>

#include "units/angular_format.h"

using namespace units;

namespace {
std::string text(double degrees, AngularFormat format, int precision, int zeros = 0,
                 bool wrap = false) {
  AngularOptions o;
  o.format = format;
  o.precision = precision;
  o.zeroSuppression = zeros;
  o.wrapToFullCircle = wrap;
  return formatAngleDegrees(degrees, o);
}
constexpr auto kDeg = AngularFormat::DecimalDegrees;
constexpr auto kDms = AngularFormat::DegreesMinutesSeconds;
constexpr auto kGrad = AngularFormat::Gradians;
constexpr auto kRad = AngularFormat::Radians;
constexpr auto kSurv = AngularFormat::Surveyor;
}  // namespace

TEST(DecimalDegrees, PrecisionZerosAndSign) {
  AngularOptions o;
  o.precision = 4;
  EXPECT_EQ(formatAngle(std::numbers::pi / 4, o), "45.0000");
  EXPECT_EQ(text(0.5, kDeg, 4, 1), ".5000");
  EXPECT_EQ(text(45.5, kDeg, 4, 2), "45.5");
  EXPECT_EQ(text(0.0, kDeg, 4, 3), "0");
  EXPECT_EQ(text(-30.0, kDeg, 0), "-30");
  o.decimalSeparator = ',';
  o.precision = 1;
  EXPECT_EQ(formatAngleDegrees(12.25, o), "12,3");
}

TEST(DecimalDegrees, WrappingGivesDirectionsBelowTheFullCircle) {
  EXPECT_EQ(text(-30.0, kDeg, 0, 0, true), "330");
  EXPECT_EQ(text(725.0, kDeg, 0, 0, true), "5");
  EXPECT_EQ(text(359.999999, kDeg, 2, 0, true), "0.00");
  EXPECT_EQ(text(359.999999, kDeg, 2, 0, false), "360.00");
}

TEST(DegreesMinutesSeconds, FieldsFollowThePrecision) {
  const double angle = 45.0 + 30.0 / 60 + 15.25 / 3600;
  EXPECT_EQ(text(angle, kDms, 0), "46d");
  EXPECT_EQ(text(angle, kDms, 1), "45d30'");
  EXPECT_EQ(text(angle, kDms, 3), "45d30'15\"");
  EXPECT_EQ(text(angle, kDms, 5), "45d30'15.3\"");
  EXPECT_EQ(text(angle, kDms, 6), "45d30'15.25\"");
  EXPECT_EQ(text(-angle, kDms, 4), "-45d30'15\"");
}

TEST(DegreesMinutesSeconds, RoundingCarriesIntoTheNextField) {
  EXPECT_EQ(text(45.0 + 59.99999 / 60, kDms, 2), "46d0'");
  EXPECT_EQ(text(45.0 + 59.0 / 60 + 59.9996 / 3600, kDms, 4), "46d0'0\"");
  EXPECT_EQ(text(359.99999999, kDms, 4, 0, true), "0d0'0\"");
}

TEST(DegreesMinutesSeconds, ZeroSuppressionDropsZeroFields) {
  EXPECT_EQ(text(45.0, kDms, 4, 2), "45d");
  EXPECT_EQ(text(45.5, kDms, 4, 2), "45d30'");
  EXPECT_EQ(text(0.25, kDms, 4, 1), "15'0\"");
  EXPECT_EQ(text(0.25, kDms, 4, 3), "15'");
  EXPECT_EQ(text(15.0 / 3600, kDms, 4, 1), "15\"");
  EXPECT_EQ(text(0.0, kDms, 4, 3), "0d");
  EXPECT_EQ(text(45.0 + 15.5 / 3600, kDms, 6, 2), "45d0'15.5\"");
}

TEST(GradiansAndRadians, SuffixedDecimals) {
  EXPECT_EQ(text(45.0, kGrad, 4), "50.0000g");
  EXPECT_EQ(text(45.0, kRad, 4), "0.7854r");
  EXPECT_EQ(text(-45.0, kRad, 2, 1), "-.79r");
  EXPECT_EQ(text(359.999999, kGrad, 4, 0, true), "0.0000g");
}

TEST(Bearings, EachQuadrantAndTheCardinalDirections) {
  EXPECT_EQ(text(45.0, kSurv, 4), "N45d0'0\"E");
  EXPECT_EQ(text(135.0, kSurv, 4), "N45d0'0\"W");
  EXPECT_EQ(text(225.0, kSurv, 4), "S45d0'0\"W");
  EXPECT_EQ(text(315.0, kSurv, 4), "S45d0'0\"E");
  EXPECT_EQ(text(100.5, kSurv, 4), "N10d30'0\"W");
  EXPECT_EQ(text(-45.0, kSurv, 4), "S45d0'0\"E");
  EXPECT_EQ(text(30.0, kSurv, 0), "N60dE");
  EXPECT_EQ(text(0.0, kSurv, 4), "E");
  EXPECT_EQ(text(90.0, kSurv, 4), "N");
  EXPECT_EQ(text(270.0, kSurv, 4), "S");
  EXPECT_EQ(text(89.99999, kSurv, 4), "N") << "a bearing that rounds to 0 is the axis";
  EXPECT_EQ(text(1e-7, kSurv, 4), "E");
  EXPECT_EQ(text(45.0, kSurv, 4, 3), "N45d0'0\"E") << "bearings are written in full";
}

TEST(AngularFormats, NonFiniteAndHugeValues) {
  EXPECT_EQ(text(std::nan(""), kDms, 4), "NaN");
  EXPECT_EQ(text(1e30, kDms, 8), "1000000000000000000000000000000.00000000");
}
