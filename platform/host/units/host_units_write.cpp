// Lengths and angles to text, with the callers' markers resolved against the
// drawing's settings.
#include <cmath>

#include "angular_format.h"
#include "host_units.h"
#include "linear_format.h"
#include "setting_markers.h"

using namespace units;

int hostdbRToS(double value, int unitFormat, int precision, OdString& text, int zeroSuppression,
               int decimalSeparator) {
  text.clear();
  const UnitSettings drawing = currentUnitSettings();
  const int format = resolveFormat(unitFormat, drawing.lunits);
  if (!isLinearFormat(format)) return -1;
  LinearOptions options;
  options.format = static_cast<LinearFormat>(format);
  options.precision = resolvePrecision(precision, drawing.luprec);
  options.zeroSuppression = resolveZeroSuppression(zeroSuppression, drawing.dimzin);
  options.decimalSeparator = resolveSeparator(decimalSeparator, drawing.dsep);
  text = formatLinear(value, options);
  return std::isfinite(value) ? 0 : -1;
}

int hostdbAngToS(double radians, int angularFormat, int precision, OdString& text,
                 int zeroSuppression, int decimalSeparator, int options) {
  text.clear();
  const UnitSettings drawing = currentUnitSettings();
  const int format = resolveFormat(angularFormat, drawing.aunits);
  if (!isAngularFormat(format)) return -1;
  AngularOptions angular;
  angular.format = static_cast<AngularFormat>(format);
  angular.precision = resolvePrecision(precision, drawing.auprec);
  const int drawingZeros = (options & kAngleAllZerosShown) ? 0 : drawing.dimazin;
  angular.zeroSuppression = resolveZeroSuppression(zeroSuppression, drawingZeros);
  angular.decimalSeparator = resolveSeparator(decimalSeparator, drawing.dsep);
  angular.wrapToFullCircle = (options & kAngleKeepAsGiven) == 0;
  text = formatAngle(radians, angular);
  return std::isfinite(radians) ? 0 : -1;
}

void QrLin2Str(double value, OdString& text, int unitFormat, int precision, int zeroSuppression,
               int decimalSeparator, int fractionFormat, int roundoffMarker) {
  const UnitSettings drawing = currentUnitSettings();
  const int format = resolveFormat(unitFormat, drawing.lunits);
  LinearOptions options;
  options.format = isLinearFormat(format) ? static_cast<LinearFormat>(format) : LinearFormat::Decimal;
  options.precision = resolvePrecision(precision, drawing.luprec);
  options.zeroSuppression = resolveZeroSuppression(zeroSuppression, drawing.dimzin);
  options.decimalSeparator = resolveSeparator(decimalSeparator, drawing.dsep);
  options.fractionStyle = fractionFormat == 0   ? FractionStyle::Horizontal
                          : fractionFormat == 1 ? FractionStyle::Diagonal
                                                : FractionStyle::NotStacked;
  options.roundoff = roundoffMarker > 0 ? static_cast<double>(roundoffMarker) : 0.0;
  text = formatLinear(value, options);
}

void QrAng2Str(double degrees, OdString& text, double roundoff, int angularFormat, int precision,
               int zeroSuppression, int decimalSeparator, int /*reserved1*/, int /*reserved2*/) {
  const UnitSettings drawing = currentUnitSettings();
  const int format = resolveFormat(angularFormat, drawing.aunits);
  AngularOptions options;
  options.format =
      isAngularFormat(format) ? static_cast<AngularFormat>(format) : AngularFormat::DecimalDegrees;
  options.precision = resolvePrecision(precision, drawing.auprec);
  options.zeroSuppression = zeroSuppression == kUseDrawingAngularZeros
                                ? drawing.dimazin
                                : resolveZeroSuppression(zeroSuppression, drawing.dimazin);
  options.decimalSeparator = resolveSeparator(decimalSeparator, drawing.dsep);
  options.roundoffDegrees = (isRoundoffMarker(roundoff) || !(roundoff > 0.0)) ? 0.0 : roundoff;
  text = formatAngleDegrees(degrees, options);
}

OdString hostCoordinateText(double x, double y) {
  OdString xs, ys;
  hostdbRToS(x, -1, -1, xs);
  hostdbRToS(y, -1, -1, ys);
  const bool comma = xs.find(',') != OdString::npos || ys.find(',') != OdString::npos ||
                     resolveSeparator(-1, currentUnitSettings().dsep) == ',';
  return xs + (comma ? "; " : ", ") + ys;
}
