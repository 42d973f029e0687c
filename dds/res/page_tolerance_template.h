#pragma once
// The Tolerances page of the style editor (template 1009): how tolerances
// follow the measured value, their values, precision, height and position,
// and the zero suppression of primary and alternate tolerance values.
#include <span>

#include "dialog_template.h"

namespace dds::res {

std::span<const ui::DialogResource> tolerancePageTemplates();

constexpr int kDlgTolerancePage = 1009;

namespace tolerance {
constexpr int kMethod = 1147;             // DIMTOL, DIMLIM, DIMTM, DIMTP and the sign of DIMGAP
constexpr int kPrecision = 1150;          // DIMTDEC
constexpr int kUpper = 1152;              // DIMTP
constexpr int kUpperSpin = 1153;
constexpr int kLower = 1155;              // DIMTM
constexpr int kLowerSpin = 1156;
constexpr int kHeightScale = 1158;        // DIMTFAC, shown on the Text page too
constexpr int kHeightScaleSpin = 1159;
constexpr int kVertical = 1161;           // DIMTOLJ
constexpr int kLeading = 1165;            // DIMTZIN 4
constexpr int kTrailing = 1166;           // DIMTZIN 8
constexpr int kZeroFeet = 1169;           // DIMTZIN low bits
constexpr int kZeroInches = 1168;
constexpr int kAltPrecision = 1164;       // DIMALTTD
constexpr int kAltLeading = 1129;         // DIMALTTZ 4
constexpr int kAltTrailing = 1081;        // DIMALTTZ 8
constexpr int kAltZeroFeet = 1083;        // DIMALTTZ low bits
constexpr int kAltZeroInches = 1082;
}  // namespace tolerance

}  // namespace dds::res
