// The measurement text: units, rounding, zeros, separators, prefix and
// suffix, sub-units, alternate units, tolerances and limits (of lengths and
// of angles), angles and overrides.
#include <gtest/gtest.h>

#include <numbers>

#include "dim_text_format.h"

using render::MeasureKind;
using render::measurementText;

namespace {
OdDbDimVars imperial() { return OdDbDimVars::imperialDefaults(); }
std::string linear(double v, const OdDbDimVars& vars, const std::string& user = {}) {
  return measurementText(v, MeasureKind::Linear, vars, user);
}
}  // namespace

TEST(MeasurementText, DecimalPrecisionRoundingFactorAndZeros) {
  OdDbDimVars v = imperial();
  EXPECT_EQ(linear(10, v), "10.0000");
  v.dec = 2;
  EXPECT_EQ(linear(2.675, v), "2.68");  // rounded as typed, not as stored
  v.rnd = 0.25;
  EXPECT_EQ(linear(10.13, v), "10.25");
  v.rnd = 0;
  v.lfac = 2;
  EXPECT_EQ(linear(10, v), "20.00");
  v.lfac = -2;  // the paper-space flag does not change the number in the drawing
  EXPECT_EQ(linear(10, v), "20.00");
  v.lfac = 1;
  v.zin = 8;
  EXPECT_EQ(linear(10, v), "10");
  EXPECT_EQ(linear(0.5, v), "0.5");
  v.zin = 4;
  EXPECT_EQ(linear(0.5, v), ".50");
  v.zin = 12;
  EXPECT_EQ(linear(0, v), "0");
  v.zin = 0;
  v.dsep = ',';
  EXPECT_EQ(linear(1.5, v), "1,50");
  v.dsep = 0;  // no separator stored: the point
  EXPECT_EQ(linear(1.5, v), "1.50");
}

TEST(MeasurementText, UnitFormatsAndFractionStacking) {
  OdDbDimVars v = imperial();
  v.lunit = 1;
  v.dec = 2;
  EXPECT_EQ(linear(1234.5, v), "1.23E+03");
  v.lunit = 3;
  EXPECT_EQ(linear(14.5, v), "1'-2.50\"");
  v.lunit = 4;
  v.dec = 4;
  v.frac = 0;
  EXPECT_EQ(linear(14.5, v), "1'-2\\S1/2;\"");
  v.frac = 1;
  EXPECT_EQ(linear(14.5, v), "1'-2\\S1#2;\"");
  v.frac = 2;
  EXPECT_EQ(linear(14.5, v), "1'-2 1/2\"");
  v.lunit = 5;
  v.frac = 0;
  EXPECT_EQ(linear(2.75, v), "2\\S3/4;");
  v.lunit = 99;  // unknown: decimals rather than nothing
  EXPECT_EQ(linear(2.75, v), "2.7500");
}

TEST(MeasurementText, PrefixSuffixAndKindMarks) {
  OdDbDimVars v = imperial();
  v.dec = 1;
  v.post = "<> mm";
  EXPECT_EQ(linear(3, v), "3.0 mm");
  v.post = "mm";  // without the mark the text is a suffix
  EXPECT_EQ(linear(3, v), "3.0mm");
  v.post = "";
  EXPECT_EQ(measurementText(3, MeasureKind::Radius, v), "R3.0");
  EXPECT_EQ(measurementText(3, MeasureKind::Diameter, v), "%%c3.0");
  v.post = "D=<>";  // a prefix of the user's replaces the mark
  EXPECT_EQ(measurementText(3, MeasureKind::Diameter, v), "D=3.0");
  v.post = "";
  EXPECT_EQ(measurementText(3, MeasureKind::ArcLength, v), "\u23123.0");
  v.arcsym = 1;
  EXPECT_EQ(measurementText(3, MeasureKind::ArcLength, v), "3.0");
}

TEST(MeasurementText, AlternateUnitsAfterOrBelow) {
  OdDbDimVars v = imperial();
  v.dec = 2;
  v.alt = true;
  EXPECT_EQ(linear(1, v), "1.00 [25.40]");
  v.altd = 1;
  v.altrnd = 0.5;
  EXPECT_EQ(linear(1, v), "1.00 [25.5]");
  v.altrnd = 0;
  v.altz = 8;
  v.apost = "<> mm";
  EXPECT_EQ(linear(1, v), "1.00 [25.4 mm]");
  v.apost = "[]mm";  // the other programs' mark
  EXPECT_EQ(linear(1, v), "1.00 [25.4mm]");
  v.apost = "";
  v.post = "\\X";
  EXPECT_EQ(linear(1, v), "1.00\\X[25.4]");
  v.alt = false;
  EXPECT_EQ(linear(1, v), "1.00\\X");
  v.alt = true;
  v.post = "";
  v.altu = 4;  // architectural, stacked
  v.altf = 1;
  v.altd = 2;
  EXPECT_EQ(linear(14.25, v), "14.25 [1'-2\\S1/4;\"]");
  v.altu = 6;  // architectural, not stacked
  EXPECT_EQ(linear(14.25, v), "14.25 [1'-2 1/4\"]");
}

TEST(MeasurementText, TolerancesAndLimits) {
  OdDbDimVars v = imperial();
  v.dec = 2;
  v.tdec = 2;
  v.tol = true;
  v.tp = v.tm = 0.05;
  EXPECT_EQ(linear(10, v), "10.00%%p0.05");
  v.tp = 0.1;
  v.tm = 0.2;
  v.tolj = 0;
  EXPECT_EQ(linear(10, v), "10.00{\\H1x;\\A0;\\S+0.10^-0.20;}");
  v.tfac = 0.7;
  v.tolj = 2;
  v.tzin = 8;
  EXPECT_EQ(linear(10, v), "10.00{\\H0.7x;\\A2;\\S+0.1^-0.2;}");
  v.tp = 0;
  v.tm = -0.1;  // a negative lower deviation is a plus
  EXPECT_EQ(linear(10, v), "10.00{\\H0.7x;\\A2;\\S0^+0.1;}");
  v.tol = false;
  v.lim = true;
  v.tp = 0.1;
  v.tm = 0.2;
  v.tzin = 0;
  EXPECT_EQ(linear(10, v), "{\\H0.7x;\\A2;\\S10.10^9.80;}");
  v.post = "<> mm";  // limits replace the value, the suffix stays
  EXPECT_EQ(linear(10, v), "{\\H0.7x;\\A2;\\S10.10^9.80;} mm");
  v.post = "";
  v.lim = false;
  v.tol = true;
  v.alt = true;
  v.alttd = 1;
  v.altd = 1;
  v.tm = 0.1;
  EXPECT_EQ(linear(1, v), "1.00%%p0.10 [25.4%%p2.5]");
}

TEST(MeasurementText, AnglesInEveryFormat) {
  OdDbDimVars v = imperial();
  const double a = 45.5 * std::numbers::pi / 180;
  EXPECT_EQ(measurementText(a, MeasureKind::Angular, v), "46%%d");
  v.adec = 2;
  EXPECT_EQ(measurementText(a, MeasureKind::Angular, v), "45.50%%d");
  v.azin = 2;
  EXPECT_EQ(measurementText(a, MeasureKind::Angular, v), "45.5%%d");
  v.azin = 0;
  v.aunit = 1;
  v.adec = 4;
  EXPECT_EQ(measurementText(a, MeasureKind::Angular, v), "45%%d30'0\"");
  v.aunit = 2;
  v.adec = 2;
  EXPECT_EQ(measurementText(std::numbers::pi / 4, MeasureKind::Angular, v), "50.00g");
  v.aunit = 3;
  v.adec = 4;
  EXPECT_EQ(measurementText(std::numbers::pi / 4, MeasureKind::Angular, v), "0.7854r");
  v.aunit = 0;
  v.adec = -1;  // as many places as lengths
  v.dec = 1;
  EXPECT_EQ(measurementText(a, MeasureKind::Angular, v), "45.5%%d");
  v.post = "<> mm";  // angles have no suffix
  EXPECT_EQ(measurementText(a, MeasureKind::Angular, v), "45.5%%d");
}

TEST(MeasurementText, AngleTolerancesInAngularUnitsWithTheirOwnPlaces) {
  OdDbDimVars v = imperial();
  const double a = 45.5 * std::numbers::pi / 180;
  auto angle = [&] { return measurementText(a, MeasureKind::Angular, v); };
  v.adec = 1;
  v.tdec = 2;
  v.tol = true;
  v.tp = v.tm = 0.5;  // degrees
  EXPECT_EQ(angle(), "45.5%%d%%p0.50%%d");
  v.tm = 0.25;
  EXPECT_EQ(angle(), "45.5%%d{\\H1x;\\A1;\\S+0.50%%d^-0.25%%d;}");
  // DIMAZIN suppresses zeros of the deviations; the value keeps DIMADEC.
  v.azin = 3;
  v.tm = 0;
  v.tfac = 0.5;
  v.tolj = 0;
  EXPECT_EQ(angle(), "45.5%%d{\\H0.5x;\\A0;\\S+.5%%d^0%%d;}");
  v.tm = -0.25;  // a negative lower deviation is a plus
  EXPECT_EQ(angle(), "45.5%%d{\\H0.5x;\\A0;\\S+.5%%d^+.25%%d;}");
  // DIMPOST names a length unit: never next to an angle, with or without tolerances.
  v.post = "<> mm";
  EXPECT_EQ(angle(), "45.5%%d{\\H0.5x;\\A0;\\S+.5%%d^+.25%%d;}");
  v.post = "";
  v.azin = 0;
  v.tfac = 1;
  v.tolj = 1;
  // Degrees, minutes and seconds: DIMTDEC picks the fields as DIMADEC does.
  v.aunit = 1;
  v.adec = 4;
  v.tp = v.tm = 0.5;
  EXPECT_EQ(angle(), "45%%d30'0\"%%p0%%d30'");
  // A bearing is no amount: surveyor's deviations are degrees and minutes.
  v.aunit = 4;
  EXPECT_EQ(angle().substr(angle().find("%%p")), "%%p0%%d30'");
  v.aunit = 3;  // radians
  v.adec = 3;
  v.tdec = 4;
  v.tp = v.tm = 1;
  EXPECT_EQ(angle(), "0.794r%%p0.0175r");
}

TEST(MeasurementText, AngleLimitsReplaceTheValue) {
  OdDbDimVars v = imperial();
  const double a = 45.5 * std::numbers::pi / 180;
  v.adec = 0;
  v.tdec = 1;
  v.lim = true;
  v.tol = true;  // limits win
  v.tp = 1;
  v.tm = 0.5;
  EXPECT_EQ(measurementText(a, MeasureKind::Angular, v), "{\\H1x;\\A1;\\S46.5%%d^45.0%%d;}");
  v.azin = 2;
  v.aunit = 2;  // gradians: 1 degree is 10/9 grad
  EXPECT_EQ(measurementText(a, MeasureKind::Angular, v), "{\\H1x;\\A1;\\S51.7g^50g;}");
  EXPECT_EQ(measurementText(a, MeasureKind::Angular, v, "<> TYP"), "{\\H1x;\\A1;\\S51.7g^50g;} TYP");
}

TEST(MeasurementText, SubUnitsBelowOneUnit) {
  OdDbDimVars v = imperial();
  v.dec = 2;
  v.zin = 4;  // leading zeros suppressed
  v.mzf = 100;
  v.mzs = "cm";
  EXPECT_EQ(linear(0.5, v), "50cm");
  EXPECT_EQ(linear(0.534, v), "53cm");  // the resolution of two places in metres
  v.dec = 4;
  EXPECT_EQ(linear(0.53448, v), "53.45cm");
  v.zin = 12;  // and trailing ones
  EXPECT_EQ(linear(0.5, v), "50cm");
  v.dec = 2;
  EXPECT_EQ(linear(1.5, v), "1.5");           // a whole unit: as usual
  EXPECT_EQ(linear(0.996, v), "1");           // rounds to a whole unit
  EXPECT_EQ(linear(0.004, v), "0");           // rounds to nothing
  EXPECT_EQ(measurementText(-0.25, MeasureKind::Ordinate, v), "-25cm");
  v.rnd = 0.25;  // rounded first, then scaled
  EXPECT_EQ(linear(0.6, v), "50cm");
  v.rnd = 0;
  // The prefix stays, DIMMZS replaces the suffix; kind marks stay.
  v.post = "L=<> m";
  EXPECT_EQ(linear(0.5, v), "L=50cm");
  v.post = "";
  EXPECT_EQ(measurementText(0.5, MeasureKind::Radius, v), "R50cm");
  // A factor that is no power of ten: enough places for the resolution.
  v.mzf = 12;
  v.mzs = "\"";
  EXPECT_EQ(linear(0.75, v), "9\"");
  EXPECT_EQ(linear(0.76, v), "9.1\"");
}

TEST(MeasurementText, SubUnitsOnlyWhenAskedForAndInDecimals) {
  OdDbDimVars v = imperial();
  v.dec = 2;
  v.zin = 4;
  v.mzs = "";
  EXPECT_EQ(linear(0.5, v), ".50");  // no sub-unit suffix
  v.mzs = "cm";
  v.zin = 0;
  EXPECT_EQ(linear(0.5, v), "0.50");  // leading zero kept
  v.zin = 4;
  v.mzf = 0;
  EXPECT_EQ(linear(0.5, v), ".50");  // no usable factor
  v.mzf = 100;
  v.lunit = 5;  // fractions have no leading zero to suppress
  EXPECT_EQ(linear(0.5, v), "\\S1/2;");
  v.lunit = 2;
  // With tolerances the value stays in the units of its deviations.
  v.tol = true;
  v.tp = v.tm = 0.05;
  EXPECT_EQ(linear(0.5, v), ".50%%p0.0500");
  v.tol = false;
  // Alternate units have their own pair, with DIMALTZ.
  v.alt = true;
  v.altf = 0.25;
  v.altd = 3;
  v.altz = 4;
  v.altmzf = 1000;
  v.altmzs = "mm";
  v.apost = "~<> m";
  EXPECT_EQ(linear(2, v), "2.00 [~500mm]");
  EXPECT_EQ(linear(0.5, v), "50cm [~125mm]");
  v.altz = 0;
  EXPECT_EQ(linear(2, v), "2.00 [~0.500 m]");
}

TEST(MeasurementText, UserTextOverride) {
  OdDbDimVars v = imperial();
  v.dec = 1;
  EXPECT_EQ(linear(3, v, "<> TYP"), "3.0 TYP");
  EXPECT_EQ(linear(3, v, "2X <> <>"), "2X 3.0 3.0");
  EXPECT_EQ(linear(3, v, "SEE NOTE"), "SEE NOTE");
  EXPECT_EQ(linear(3, v, " "), "");  // a single blank hides the text
}
