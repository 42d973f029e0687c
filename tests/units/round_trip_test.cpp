// What a format writes reads back as the value, within the precision shown.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "units/angle_parse.h"
#include "units/angular_format.h"
#include "units/length_parse.h"
#include "units/linear_format.h"

using namespace units;

namespace {
const double kLengths[] = {0.0, 0.001, 0.5, 1.0, 14.5, 123.456, -7.25, 1234.5678, -0.3, 99999.99};

// Half a unit of the last place written, for a value of this size.
double lengthTolerance(LinearFormat format, int precision, double value) {
  switch (format) {
    case LinearFormat::Architectural:
    case LinearFormat::Fractional: return 0.5 / std::ldexp(1.0, precision);
    case LinearFormat::Scientific: {
      const double exponent = value == 0 ? 0 : std::floor(std::log10(std::fabs(value)));
      return 0.5 * std::pow(10.0, exponent - precision) * 1.0001;
    }
    default: return 0.5 * std::pow(10.0, -precision);
  }
}
}  // namespace

TEST(RoundTrip, EveryLinearFormatPrecisionAndZeroMode) {
  for (int code = 1; code <= 6; ++code) {
    for (int precision = 0; precision <= kMaxPrecision; ++precision) {
      for (int zeros = 0; zeros < 16; ++zeros) {
        for (const double value : kLengths) {
          for (const auto fractions : {FractionStyle::NotStacked, FractionStyle::Horizontal,
                                       FractionStyle::Diagonal}) {
            LinearOptions o;
            o.format = static_cast<LinearFormat>(code);
            o.precision = precision;
            o.zeroSuppression = zeros;
            o.fractionStyle = fractions;
            o.decimalSeparator = zeros % 2 ? ',' : '.';
            const std::string written = formatLinear(value, o);
            const auto read = parseLength(written, o.decimalSeparator);
            ASSERT_TRUE(read.has_value()) << written;
            EXPECT_NEAR(*read, value, lengthTolerance(o.format, precision, value) + 1e-9)
                << written << " format " << code << " precision " << precision;
          }
        }
      }
    }
  }
}

TEST(RoundTrip, EveryAngularFormatPrecisionAndZeroMode) {
  const double degreesList[] = {0.0, 12.3456, 45.0, 89.99, 135.5, 200.25, 315.125, 359.5, 0.0042};
  for (int code = 0; code <= 4; ++code) {
    for (int precision = 0; precision <= kMaxPrecision; ++precision) {
      for (int zeros = 0; zeros < 4; ++zeros) {
        for (const double degrees : degreesList) {
          AngularOptions o;
          o.format = static_cast<AngularFormat>(code);
          o.precision = precision;
          o.zeroSuppression = zeros;
          o.wrapToFullCircle = true;
          const std::string written = formatAngleDegrees(degrees, o);
          const auto read = parseAngle(written, o.format);
          ASSERT_TRUE(read.has_value()) << written;
          const double unitInDegrees = o.format == AngularFormat::Gradians ? 0.9
                                       : o.format == AngularFormat::Radians ? 180 / std::numbers::pi
                                                                            : 1.0;
          const bool sexagesimal = o.format == AngularFormat::DegreesMinutesSeconds ||
                                   o.format == AngularFormat::Surveyor;
          const double lastPlace = !sexagesimal  ? std::pow(10.0, -precision)
                                   : precision == 0 ? 1.0
                                   : precision <= 2 ? 1.0 / 60
                                   : precision <= 4 ? 1.0 / 3600
                                                    : std::pow(10.0, 4 - precision) / 3600;
          double difference = std::fmod(std::fabs(*read * 180 / std::numbers::pi - degrees), 360.0);
          difference = std::min(difference, 360.0 - difference);
          EXPECT_LE(difference, 0.5 * lastPlace * unitInDegrees + 1e-9)
              << written << " format " << code << " precision " << precision;
        }
      }
    }
  }
}
