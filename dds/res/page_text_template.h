#pragma once
// The Text page of the style editor (template 1005): the text's style,
// colour, fill, height, frame, placement, offset and alignment.
#include <span>

#include "dialog_template.h"

namespace dds::res {

std::span<const ui::DialogResource> textPageTemplates();

constexpr int kDlgTextPage = 1005;

namespace text {
constexpr int kStyle = 1067;            // DIMTXSTY
constexpr int kStyleButton = 1068;      // the host's text style dialog
constexpr int kColor = 1070;            // DIMCLRT
constexpr int kFill = 1072;             // DIMTFILL, DIMTFILLCLR
constexpr int kHeight = 1073;           // DIMTXT
constexpr int kHeightSpin = 1074;
constexpr int kFractionScale = 1052;    // DIMTFAC
constexpr int kFractionScaleSpin = 1053;
constexpr int kFrame = 1077;            // sign of DIMGAP
constexpr int kVertical = 1078;         // DIMTAD
constexpr int kHorizontal = 1079;       // DIMJUST
constexpr int kOffset = 1054;           // magnitude of DIMGAP
constexpr int kOffsetSpin = 1055;
constexpr int kAlignHorizontal = 1085;  // DIMTIH and DIMTOH set
constexpr int kAlignAligned = 1086;     // both clear
constexpr int kAlignIso = 1087;         // DIMTIH clear, DIMTOH set
}  // namespace text

}  // namespace dds::res
