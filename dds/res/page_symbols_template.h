#pragma once
// The Symbols and arrows page of the style editor (template 1004):
// arrowheads, centre marks, the arc length symbol and the radius jog.
#include <span>

#include "dialog_template.h"

namespace dds::res {

std::span<const ui::DialogResource> symbolsPageTemplates();

constexpr int kDlgSymbolsPage = 1004;

namespace symbols {
constexpr int kFirstArrow = 1044;   // DIMBLK1 or DIMBLK
constexpr int kSecondArrow = 1046;  // DIMBLK2 or DIMBLK
constexpr int kLeaderArrow = 1048;  // DIMLDRBLK
constexpr int kArrowSize = 1050;    // DIMASZ
constexpr int kArrowSizeSpin = 1051;
constexpr int kMarkSizeSpin = 1052;
constexpr int kMarkSize = 1053;     // |DIMCEN|
constexpr int kMarkNone = 1055;
constexpr int kMarkMark = 1056;
constexpr int kMarkLine = 1057;
constexpr int kArcPreceding = 1058;  // DIMARCSYM 0
constexpr int kArcAbove = 1059;      // DIMARCSYM 1
constexpr int kArcNone = 1060;       // DIMARCSYM 2
constexpr int kJogAngle = 1064;      // DIMJOGANG, whole degrees
}  // namespace symbols

}  // namespace dds::res
