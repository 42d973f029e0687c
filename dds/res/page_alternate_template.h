#pragma once
// The Alternate units page of the style editor (template 1008): whether
// alternate units are shown, their format, multiplier, rounding, prefix
// and suffix, zero suppression and where they stand.
#include <span>

#include "dialog_template.h"

namespace dds::res {

std::span<const ui::DialogResource> alternatePageTemplates();

constexpr int kDlgAlternatePage = 1008;

namespace alternate {
constexpr int kShow = 1133;          // DIMALT
constexpr int kUnitFormat = 1136;    // DIMALTU - 1
constexpr int kPrecision = 1138;     // DIMALTD
constexpr int kMultiplier = 1140;    // DIMALTF
constexpr int kMultiplierSpin = 1141;
constexpr int kRound = 1143;         // DIMALTRND
constexpr int kRoundSpin = 1144;
constexpr int kPrefix = 1122;        // DIMAPOST before "<>"
constexpr int kSuffix = 1123;        // DIMAPOST after "<>"
constexpr int kLeading = 1172;       // DIMALTZ 4
constexpr int kTrailing = 1173;      // DIMALTZ 8
constexpr int kZeroFeet = 1175;      // DIMALTZ low bits
constexpr int kZeroInches = 1174;
constexpr int kAfter = 1145;         // DIMPOST without a trailing "\X"
constexpr int kBelow = 1146;         // DIMPOST with a trailing "\X"
}  // namespace alternate

}  // namespace dds::res
