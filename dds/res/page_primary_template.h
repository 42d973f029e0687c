#pragma once
// The Primary units page of the style editor (template 1007): the format
// of measured lengths and angles, rounding, prefix and suffix, the
// measurement scale and zero suppression.
#include <span>

#include "dialog_template.h"

namespace dds::res {

std::span<const ui::DialogResource> primaryPageTemplates();

constexpr int kDlgPrimaryPage = 1007;

namespace primary {
constexpr int kUnitFormat = 1110;       // DIMLUNIT - 1
constexpr int kPrecision = 1111;        // DIMDEC
constexpr int kFractionFormat = 1115;   // DIMFRAC
constexpr int kDecimalSeparator = 1117; // DIMDSEP
constexpr int kRoundOff = 1112;         // DIMRND
constexpr int kRoundOffSpin = 1113;
constexpr int kPrefix = 1122;           // DIMPOST before "<>"
constexpr int kSuffix = 1123;           // DIMPOST after "<>"
constexpr int kScale = 1124;            // magnitude of DIMLFAC
constexpr int kScaleSpin = 1125;
constexpr int kLayoutOnly = 1126;       // sign of DIMLFAC
constexpr int kLeading = 1127;          // DIMZIN 4
constexpr int kTrailing = 1078;         // DIMZIN 8
constexpr int kZeroFeet = 1079;         // DIMZIN low bits
constexpr int kZeroInches = 1080;
constexpr int kAngularFormat = 1106;    // DIMAUNIT
constexpr int kAngularPrecision = 1107; // DIMADEC
constexpr int kAngularLeading = 1129;   // DIMAZIN 1
constexpr int kAngularTrailing = 1081;  // DIMAZIN 2
}  // namespace primary

}  // namespace dds::res
