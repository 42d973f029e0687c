#pragma once
// Angles as text in the drawing's angular unit formats.
#include <string>

namespace units {

// The codes are those the drawing stores for its angular units.
enum class AngularFormat {
  DecimalDegrees = 0,         // 45.5000
  DegreesMinutesSeconds = 1,  // 45d30'15"
  Gradians = 2,               // 50.0000g
  Radians = 3,                // 0.7854r
  Surveyor = 4,               // N45d0'0"E
};
bool isAngularFormat(int code);

// Zero suppression bits for angles. For the decimal formats they act on the
// digits (0.50 -> .50, 45.50 -> 45.5); in degrees-minutes-seconds leading
// zero fields go (0d0'15" -> 15") and trailing zero fields go together with
// trailing zeros of the seconds (45d30'0" -> 45d30', 15.50" -> 15.5").
// Bearings are always written in full.
namespace angular_zeros {
constexpr int kLeading = 1;
constexpr int kTrailing = 2;
}  // namespace angular_zeros

struct AngularOptions {
  AngularFormat format = AngularFormat::DecimalDegrees;
  // Decimal places for the decimal formats. Degrees-minutes-seconds and
  // bearings: 0 degrees only, 1-2 with minutes, 3-4 with seconds, 5-8 with
  // seconds carrying precision-4 decimals.
  int precision = 0;
  int zeroSuppression = 0;
  char decimalSeparator = '.';
  // Write the direction in [0, full circle) instead of the value as given;
  // a value that rounds up to the full circle is then written as 0.
  // Bearings always are directions.
  bool wrapToFullCircle = false;
  // When > 0 the angle is first rounded to the nearest multiple of this many
  // degrees.
  double roundoffDegrees = 0.0;
};

// An angle given in degrees / in radians as text. A negative value that is
// not wrapped keeps its sign unless it rounds to zero. Angles too large to
// count in seconds fall back to decimal degrees. NaN and infinities are
// written "NaN", "Inf" and "-Inf".
std::string formatAngleDegrees(double degrees, const AngularOptions& options);
std::string formatAngle(double radians, const AngularOptions& options);

}  // namespace units
