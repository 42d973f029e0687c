#include "DxfDimVarCodec.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string_view>

std::optional<int> dxfDimVarByCode(int code) {
  static const std::array<int, 400> byCode = [] {
    std::array<int, 400> table{};
    table.fill(-1);
    for (int i = 0; i < OdDbDimVars::kCount; ++i)
      if (int c = OdDbDimVars::describe(i).dxfCode; c > 0 && c < 400) table[c] = i;
    return table;
  }();
  if (code <= 0 || code >= 400 || byCode[code] < 0) return std::nullopt;
  return byCode[code];
}

DxfVersion dxfDimVarSince(int index) {
  const std::string_view key = OdDbDimVars::describe(index).key;
  // Variables that came with R2007 (and DIMTXTDIRECTION with R2010); the
  // others are in every DIMSTYLE entry from R2000 on, and those R12 had
  // before.
  for (std::string_view k : {"fxl", "fxlon", "jogang", "tfill", "tfillclr", "ltype", "ltex1", "ltex2"})
    if (key == k) return DxfVersion::R2007;
  if (key == "txtdirection") return DxfVersion::R2010;
  // R12's entries hold the texts, reals, flags and colours of its codes
  // 3-4, 40-48, 71-78, 140-147 and 170-178 (its arrowheads by name, 5-7,
  // which the writer handles itself).
  const int c = OdDbDimVars::describe(index).dxfCode;
  if (c == 3 || c == 4 || (c >= 40 && c <= 48) || (c >= 71 && c <= 78) || (c >= 140 && c <= 147) ||
      (c >= 170 && c <= 178))
    return DxfVersion::R12;
  return DxfVersion::R2000;
}

bool dxfDimVarInDegrees(int index) {
  const OdDbDimVarDesc& d = OdDbDimVars::describe(index);
  return d.dxfCode == 50 && d.type == OdDbDimVarType::kDouble;
}

namespace {

double radiansOf(double degrees) { return degrees * std::numbers::pi / 180; }

// Radians to degrees gives a degree value read from a file back only to
// within rounding (30 becomes 29.999999999999996). Written is the shortest
// decimal of at most 12 places that reads back as exactly these radians, or
// else a degree value near it that does. Some radians no degree value gives
// back: then the nearest, and the writer keeps the exact angle beside it
// (QRV_DIMVARS), so that a save and a read never change the angle.
double degreesOf(double radians) {
  const double degrees = radians * 180 / std::numbers::pi;
  double scale = 1;
  for (int places = 0; places <= 12; ++places, scale *= 10) {
    const double shorter = std::round(degrees * scale) / scale;
    if (std::abs(shorter - degrees) <= 1e-12 * std::max(1.0, std::abs(degrees)) && radiansOf(shorter) == radians)
      return shorter;
  }
  double below = degrees, above = degrees;
  for (int step = 0; step < 16; ++step) {
    if (radiansOf(below) == radians) return below;
    if (radiansOf(above) == radians) return above;
    below = std::nextafter(below, -INFINITY), above = std::nextafter(above, INFINITY);
  }
  return degrees;
}

}  // namespace

OdDbDimVarValue dxfDimVarToFile(int index, const OdDbDimVarValue& value) {
  const double* v = std::get_if<double>(&value);
  return v && dxfDimVarInDegrees(index) ? OdDbDimVarValue(degreesOf(*v)) : value;
}

OdDbDimVarValue dxfDimVarFromFile(int index, const OdDbDimVarValue& value) {
  const double* v = std::get_if<double>(&value);
  return v && dxfDimVarInDegrees(index) ? OdDbDimVarValue(radiansOf(*v)) : value;
}
