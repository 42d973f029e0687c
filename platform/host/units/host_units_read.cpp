// Lengths, angles and expressions from text typed by the user.
#include <cmath>
#include <numbers>

#include "angle_parse.h"
#include "expression.h"
#include "host_units.h"
#include "length_parse.h"
#include "setting_markers.h"

using namespace units;

bool hostdbDisToF(const OdString& text, int /*unitFormat*/, double& value) {
  // Every form is read whatever the format, as at a command line: a user of
  // decimal units may still type 1'6".
  const auto length = parseLength(text, currentUnitSettings().dsep);
  if (!length) return false;
  value = *length;
  return true;
}

bool hostdbAngToF(const OdString& text, int angularFormat, double& radians, int options) {
  const UnitSettings drawing = currentUnitSettings();
  const int format = resolveFormat(angularFormat, drawing.aunits);
  if (!isAngularFormat(format)) return false;
  auto angle = parseAngle(text, static_cast<AngularFormat>(format), drawing.dsep);
  if (!angle) return false;
  if ((options & kAngleKeepAsGiven) == 0) {
    constexpr double kFullCircle = 2 * std::numbers::pi;
    *angle = std::fmod(*angle, kFullCircle);
    if (*angle < 0) *angle += kFullCircle;
    if (*angle >= kFullCircle) *angle = 0.0;
  }
  radians = *angle;
  return true;
}

bool hostEvaluateExpression(const OdString& text, double& value) {
  const auto result = evaluateExpression(text, currentUnitSettings().dsep);
  if (!result) return false;
  value = *result;
  return true;
}
