#include "angle_parse.h"

#include <cmath>
#include <numbers>

#include "text_cursor.h"

namespace units {
namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
constexpr double kRadiansPerGradian = std::numbers::pi / 200.0;

bool acceptDegreeMark(TextCursor& c) {
  return c.acceptNoCase('d') || c.accept("\xC2\xB0") || c.accept("%%d") || c.accept("%%D");
}
bool acceptMinuteMark(TextCursor& c) { return c.accept('\''); }
bool acceptSecondMark(TextCursor& c) { return c.accept('"'); }

enum class FieldResult { Absent, Read, Invalid };

// One field of degrees-minutes-seconds: blanks, a number and its mark.
// Minutes and seconds (given a limit of 60) must stay below sixty.
FieldResult scanField(TextCursor& c, char separator, bool (*acceptMark)(TextCursor&),
                      double limit, double perDegree, double& degrees) {
  const std::size_t start = c.position();
  c.skipBlanks();
  const auto value = c.unsignedDecimal(separator);
  if (!value || !acceptMark(c)) {
    c.rewind(start);
    return FieldResult::Absent;
  }
  if (limit > 0 && *value >= limit) return FieldResult::Invalid;
  degrees += *value / perDegree;
  return FieldResult::Read;
}

// "45d30'15\"", "45d", "30'15\"", "15\"" in degrees. A field out of range
// fails the whole form.
std::optional<double> scanDms(TextCursor& c, char separator) {
  const std::size_t start = c.position();
  double degrees = 0.0;
  int read = 0;
  bool invalid = false;
  const auto field = [&](bool (*mark)(TextCursor&), double limit, double perDegree) {
    if (invalid) return;
    const FieldResult r = scanField(c, separator, mark, limit, perDegree, degrees);
    invalid = r == FieldResult::Invalid;
    if (r == FieldResult::Read) ++read;
  };
  field(acceptDegreeMark, 0.0, 1.0);
  field(acceptMinuteMark, 60.0, 60.0);
  field(acceptSecondMark, 60.0, 3600.0);
  if (invalid || read == 0) {
    c.rewind(start);
    return std::nullopt;
  }
  return degrees;
}

double plainToRadians(double value, AngularFormat unit) {
  switch (unit) {
    case AngularFormat::Gradians: return value * kRadiansPerGradian;
    case AngularFormat::Radians: return value;
    case AngularFormat::DecimalDegrees:
    case AngularFormat::DegreesMinutesSeconds:
    case AngularFormat::Surveyor: break;
  }
  return value * kRadiansPerDegree;
}

// An unsigned angle in any form but a bearing, in radians.
std::optional<double> scanUnsignedAngle(TextCursor& c, AngularFormat plainUnit, char separator) {
  if (const auto degrees = scanDms(c, separator)) return *degrees * kRadiansPerDegree;
  const auto value = c.unsignedDecimal(separator);
  if (!value) return std::nullopt;
  if (c.acceptNoCase('g')) return *value * kRadiansPerGradian;
  if (c.acceptNoCase('r')) return *value;
  return plainToRadians(*value, plainUnit);
}

char upperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// "N45d30'E" and its kin, or a lone N, S, E or W; radians counter-clockwise
// from east.
std::optional<double> scanBearing(TextCursor& c, AngularFormat plainUnit, char separator) {
  const std::size_t start = c.position();
  const char first = upperAscii(c.peek());
  if (first == 'E' || first == 'W') {
    c.rewind(c.position() + 1);
    return first == 'E' ? 0.0 : std::numbers::pi;
  }
  if (first != 'N' && first != 'S') return std::nullopt;
  c.rewind(c.position() + 1);
  const double axis = first == 'N' ? std::numbers::pi / 2 : 3 * std::numbers::pi / 2;

  const std::size_t afterAxis = c.position();
  c.skipBlanks();
  const auto bearing = scanUnsignedAngle(c, plainUnit, separator);
  if (!bearing) {
    c.rewind(afterAxis);
    return axis;
  }
  c.skipBlanks();
  const char side = upperAscii(c.peek());
  // A rounding error of the degree conversion must not refuse "N90dE".
  if ((side != 'E' && side != 'W') || *bearing > std::numbers::pi / 2 * (1 + 1e-12)) {
    c.rewind(start);
    return std::nullopt;
  }
  c.rewind(c.position() + 1);
  const bool towardsEast = side == 'E';
  const bool north = first == 'N';
  // North-east and south-west turn clockwise from the north/south axis.
  return north == towardsEast ? axis - *bearing : axis + *bearing;
}

}  // namespace

std::optional<double> parseAngle(std::string_view text, AngularFormat plainUnit, char separator) {
  TextCursor c(text);
  c.skipBlanks();
  std::optional<double> radians = scanBearing(c, plainUnit, separator);
  if (!radians) {
    const bool negative = c.accept('-');
    if (!negative) c.accept('+');
    radians = scanUnsignedAngle(c, plainUnit, separator);
    if (radians && negative) *radians = -*radians;
  }
  c.skipBlanks();
  if (!radians || !c.atEnd() || !std::isfinite(*radians)) return std::nullopt;
  return radians;
}

}  // namespace units
