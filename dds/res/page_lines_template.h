#pragma once
// The Lines page of the style editor (template 1003): dimension lines and
// extension lines.
#include <span>

#include "dialog_template.h"

namespace dds::res {

std::span<const ui::DialogResource> linesPageTemplates();

constexpr int kDlgLinesPage = 1003;

namespace lines {
constexpr int kDimColor = 1019;       // DIMCLRD
constexpr int kDimLinetype = 1020;    // DIMLTYPE
constexpr int kDimLineweight = 1021;  // DIMLWD
constexpr int kDimExtendSpin = 1022;
constexpr int kDimExtend = 1023;      // DIMDLE
constexpr int kBaselineSpin = 1024;
constexpr int kBaseline = 1025;       // DIMDLI
constexpr int kSuppressDim1 = 1026;   // DIMSD1
constexpr int kSuppressDim2 = 1028;   // DIMSD2
constexpr int kExtColor = 1032;       // DIMCLRE
constexpr int kExt1Linetype = 1033;   // DIMLTEX1
constexpr int kExtLineweight = 1034;  // DIMLWE
constexpr int kExt2Linetype = 1036;   // DIMLTEX2
constexpr int kSuppressExt1 = 1038;   // DIMSE1
constexpr int kSuppressExt2 = 1039;   // DIMSE2
constexpr int kFixedLength = 1041;    // DIMFXLON
constexpr int kExtBeyondSpin = 1042;
constexpr int kExtBeyond = 1043;      // DIMEXE
constexpr int kOffsetSpin = 1044;
constexpr int kOffset = 1045;         // DIMEXO
constexpr int kLengthSpin = 1046;
constexpr int kLength = 1047;         // DIMFXL
}  // namespace lines

}  // namespace dds::res
