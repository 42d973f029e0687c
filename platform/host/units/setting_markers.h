#pragma once
// Turning the marker arguments of the host unit functions into values: a
// marker stands for the drawing's setting.
#include "unit_settings.h"

namespace units {

constexpr int kUseDrawingSetting = -1;
constexpr int kUseDrawingByte = 255;  // the same marker passed as a byte
constexpr int kUseDrawingAngularZeros = 31;
constexpr double kUseDrawingRoundoff = -777.7777;

bool isIntMarker(int value);  // -1 or 255
int resolveFormat(int format, int drawingFormat);
int resolvePrecision(int precision, int drawingPrecision);  // clamped 0..8
int resolveZeroSuppression(int zeroSuppression, int drawingZeroSuppression);
char resolveSeparator(int separator, char drawingSeparator);
bool isRoundoffMarker(double roundoff);

}  // namespace units
