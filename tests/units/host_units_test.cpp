// The host-signature functions: markers resolved through the settings
// provider, return codes, options, and values left alone on failure.
#include <gtest/gtest.h>

#include <cmath>

#include <numbers>
#include <stdexcept>

#include "units/host_units.h"

namespace {
constexpr double kDegree = std::numbers::pi / 180.0;

class HostUnits : public ::testing::Test {
protected:
  void TearDown() override { setUnitSettingsProvider({}); }
  void useDrawing(UnitSettings settings) {
    setUnitSettingsProvider([settings] { return settings; });
  }
};

// The calls the module makes for its listings.
OdString listedLength(double value) {
  OdString text;
  QrLin2Str(value, text, 255, 255, -1, -1, -1, -1);
  return text;
}
OdString listedAngle(double degrees) {
  OdString text;
  QrAng2Str(degrees, text, -777.7777, -1, -1, 31, -1, -1, -1);
  return text;
}
}  // namespace

TEST_F(HostUnits, ListingMarkersUseTheDefaultsWithoutAProvider) {
  EXPECT_EQ(listedLength(1.5), "1.5000");
  EXPECT_EQ(listedAngle(45.0), "45");
  EXPECT_EQ(listedAngle(-30.0), "-30") << "a listing shows the stored value";
}

TEST_F(HostUnits, ListingMarkersFollowTheDrawing) {
  UnitSettings drawing;
  drawing.lunits = 4;
  drawing.luprec = 4;
  drawing.aunits = 1;
  drawing.auprec = 4;
  useDrawing(drawing);
  EXPECT_EQ(listedLength(14.5), "1'-2 1/2\"");
  EXPECT_EQ(listedAngle(45.5), "45d30'0\"");
  drawing.dimazin = 2;
  drawing.lunits = 2;
  drawing.dimzin = 8;
  drawing.dsep = ',';
  useDrawing(drawing);
  EXPECT_EQ(listedAngle(45.5), "45d30'");
  EXPECT_EQ(listedLength(2.5), "2,5");
  // A point's coordinates never read as three numbers.
  EXPECT_EQ(hostCoordinateText(82.4441, 39.985), "82,4441; 39,985");
  drawing.dsep = '.';
  useDrawing(drawing);
  EXPECT_EQ(hostCoordinateText(82.4441, -39.985), "82.4441, -39.985");
}

TEST_F(HostUnits, ExplicitArgumentsOverrideTheDrawing) {
  UnitSettings drawing;
  drawing.luprec = 2;
  drawing.lunits = 4;
  useDrawing(drawing);
  OdString text;
  EXPECT_EQ(hostdbRToS(1.25, 2, -1, text), 0);
  EXPECT_EQ(text, "1.25");
  EXPECT_EQ(hostdbRToS(1.25, 2, 1, text, 0, ','), 0);
  EXPECT_EQ(text, "1,3");
  QrLin2Str(2.5, text, 5, 4, 0, -1, 0, -1);
  EXPECT_EQ(text, "2\\S1/2;");
  QrLin2Str(0.5, text, 5, 4, 0, -1, 1, -1);
  EXPECT_EQ(text, "\\S1#2;");
  QrLin2Str(2.5, text, 2, 4, 0, -1, -1, 1);
  EXPECT_EQ(text, "3.0000") << "roundoff to whole units";
  QrAng2Str(47.0, text, 5.0, 0, 0, 0, -1, -1, -1);
  EXPECT_EQ(text, "45");
}

TEST_F(HostUnits, UnknownFormats) {
  OdString text = "stale";
  EXPECT_EQ(hostdbRToS(1.0, 9, 2, text), -1);
  EXPECT_TRUE(text.empty());
  text = "stale";
  EXPECT_EQ(hostdbAngToS(1.0, 5, 2, text), -1);
  EXPECT_TRUE(text.empty());
  QrLin2Str(1.5, text, 9, 2, 0, -1, -1, -1);
  EXPECT_EQ(text, "1.50") << "a listing still shows the value";
  QrAng2Str(45.0, text, 0.0, 9, 1, 0, -1, -1, -1);
  EXPECT_EQ(text, "45.0");
  double value = 7.0;
  EXPECT_FALSE(hostdbAngToF("45", 8, value));
  EXPECT_EQ(value, 7.0);
  EXPECT_EQ(hostdbRToS(std::nan(""), 2, 2, text), -1);
  EXPECT_EQ(text, "NaN");
}

TEST_F(HostUnits, AngleOptionsForEditBoxes) {
  UnitSettings drawing;
  drawing.dimazin = 3;
  useDrawing(drawing);
  OdString text;
  EXPECT_EQ(hostdbAngToS(-30 * kDegree, 0, 0, text), 0);
  EXPECT_EQ(text, "330");
  EXPECT_EQ(hostdbAngToS(-30 * kDegree, 0, 0, text, -1, -1, 3), 0);
  EXPECT_EQ(text, "-30");
  hostdbAngToS(0.5 * kDegree, 0, 4, text, -1, -1, 3);
  EXPECT_EQ(text, "0.5000");
  hostdbAngToS(0.5 * kDegree, 0, 4, text, -1, -1, 1);
  EXPECT_EQ(text, ".5");
  hostdbAngToS(0.5 * kDegree, 0, 4, text, 0, -1, 1);
  EXPECT_EQ(text, "0.5000");

  double radians = 0;
  ASSERT_TRUE(hostdbAngToF("-30", 0, radians));
  EXPECT_NEAR(radians, 330 * kDegree, 1e-12);
  ASSERT_TRUE(hostdbAngToF("-30", -1, radians, 3));
  EXPECT_NEAR(radians, -30 * kDegree, 1e-12);
}

TEST_F(HostUnits, ReadingUsesTheDrawingsAngularUnitAndSeparator) {
  UnitSettings drawing;
  drawing.aunits = 2;
  drawing.dsep = ',';
  useDrawing(drawing);
  double radians = 0;
  ASSERT_TRUE(hostdbAngToF("50", -1, radians, 3));
  EXPECT_NEAR(radians, 45 * kDegree, 1e-12);
  ASSERT_TRUE(hostdbAngToF("0,5r", -1, radians, 3));
  EXPECT_NEAR(radians, 0.5, 1e-15);
  double length = 0;
  ASSERT_TRUE(hostdbDisToF("1'6,5\"", 2, length));
  EXPECT_DOUBLE_EQ(length, 18.5);
}

TEST_F(HostUnits, FailedReadsLeaveTheValueAlone) {
  double value = 42.0;
  EXPECT_FALSE(hostdbDisToF("12 apples", 2, value));
  EXPECT_FALSE(hostdbAngToF("north", 0, value));
  EXPECT_FALSE(hostEvaluateExpression("1/0", value));
  EXPECT_EQ(value, 42.0);
  EXPECT_TRUE(hostdbDisToF("1'6\"", -1, value));
  EXPECT_DOUBLE_EQ(value, 18.0);
  EXPECT_TRUE(hostEvaluateExpression("2*(3+4)", value));
  EXPECT_DOUBLE_EQ(value, 14.0);
}

TEST_F(HostUnits, AThrowingProviderFallsBackToDefaults) {
  setUnitSettingsProvider([]() -> UnitSettings { throw std::runtime_error("no drawing"); });
  EXPECT_EQ(listedLength(1.5), "1.5000");
}

TEST_F(HostUnits, EditBoxRoundTripThroughTheModulesCalls) {
  for (int aunits = 0; aunits <= 4; ++aunits) {
    UnitSettings drawing;
    drawing.aunits = aunits;
    drawing.auprec = 8;
    useDrawing(drawing);
    for (const double degrees : {-30.0, 0.0, 12.5, 90.0, 271.25}) {
      OdString text;
      ASSERT_EQ(hostdbAngToS(degrees * kDegree, -1, -1, text, -1, -1, 3), 0);
      double radians = 0;
      ASSERT_TRUE(hostdbAngToF(text, -1, radians, 3)) << text;
      const double expected = aunits == 4 && degrees < 0 ? degrees + 360 : degrees;
      EXPECT_NEAR(radians / kDegree, expected, 1e-5) << text;
    }
  }
}
