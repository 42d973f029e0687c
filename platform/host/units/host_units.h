#pragma once
// The host's unit text functions: lengths and angles to text and back in the
// drawing's unit formats, and the expression evaluator for edit boxes.
//
// Arguments may be markers that mean "use the drawing's setting" (taken from
// the provider in unit_settings.h):
//   unit format, precision            -1 or 255
//   zero suppression, separator,
//   fraction format, roundoff int     -1
//   QrAng2Str's zero suppression      31 (and -1)
//   QrAng2Str's roundoff (double)     -777.7777 (within 1e-9)
// Other precisions are clamped to 0..8; a separator is the character code.
#include "OdString.h"
#include "unit_settings.h"

// Angle options of hostdbAngToS / hostdbAngToF (bits):
//   kAngleKeepAsGiven     write/read the angle as it is instead of wrapping it
//                         into [0, 360) degrees; -30 stays -30
//   kAngleAllZerosShown   with zeroSuppression -1 write every zero instead of
//                         the drawing's angular zero suppression (writing only)
// The module passes both (3): the value in an edit box exactly as stored, in
// full, so that it reads back unchanged.
constexpr int kAngleKeepAsGiven = 1;
constexpr int kAngleAllZerosShown = 2;

// A length in `unitFormat` (1 scientific, 2 decimal, 3 engineering,
// 4 architectural, 5 fractional, 6 as decimal). 0 on success; -1 for an
// unknown format (text left empty) or a value that is not finite (text
// "NaN", "Inf" or "-Inf").
int hostdbRToS(double value, int unitFormat, int precision, OdString& text,
               int zeroSuppression = -1, int decimalSeparator = -1);

// A point's X and Y as the status bar shows them, in the drawing's units:
// joined by "; " when a comma can stand in the numbers (a comma decimal
// separator, "82,4441; 39,985"), by ", " otherwise ("82.4441, 39.985").
OdString hostCoordinateText(double x, double y);

// An angle in `angularFormat` (0 decimal degrees, 1 degrees-minutes-seconds,
// 2 gradians, 3 radians, 4 bearing). Return codes as hostdbRToS.
int hostdbAngToS(double radians, int angularFormat, int precision, OdString& text,
                 int zeroSuppression = -1, int decimalSeparator = -1, int options = 0);

// A length from text in any linear form, whatever `unitFormat` is (it is
// accepted for the caller's symmetry only); feet and inches give inches.
// False, with `value` untouched, when the text is not a length.
bool hostdbDisToF(const OdString& text, int unitFormat, double& value);

// An angle from text in any angular form; a plain number is in the unit of
// `angularFormat` (-1 the drawing's): degrees for 0, 1 and 4, gradians for
// 2, radians for 3. False, with `radians` untouched, when the text is not an
// angle or the format is unknown.
bool hostdbAngToF(const OdString& text, int angularFormat, double& radians, int options = 0);

// A length for listings. `fractionFormat`: 0 stacked horizontally ("\S1/2;"),
// 1 stacked diagonally ("\S1#2;"), 2 and -1 (the drawing's plain way) not
// stacked. `roundoffMarker`: n > 0 rounds to a multiple of n drawing units;
// -1 (the drawing's: lengths are not rounded off) and 0 do not. An unknown
// unit format writes decimals, so that no value goes unshown.
void QrLin2Str(double value, OdString& text, int unitFormat, int precision, int zeroSuppression,
               int decimalSeparator, int fractionFormat, int roundoffMarker);

// An angle given in DEGREES for listings, written as given (not wrapped).
// `roundoff` > 0 rounds to a multiple of that many degrees; the marker
// -777.7777 (the drawing has no angular roundoff) and values <= 0 do not.
// The two reserved arguments are ignored. An unknown format writes decimal
// degrees.
void QrAng2Str(double degrees, OdString& text, double roundoff, int angularFormat, int precision,
               int zeroSuppression, int decimalSeparator, int reserved1, int reserved2);

// The value of an arithmetic expression (see units/expression.h). False,
// with `value` untouched, when the text is not a valid expression.
bool hostEvaluateExpression(const OdString& text, double& value);
