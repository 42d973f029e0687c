#pragma once
// The Fit page of the style editor (template 1006): what moves out of the
// extension lines when there is too little room, where moved text goes,
// the overall scale and two fine-tuning switches.
#include <span>

#include "dialog_template.h"

namespace dds::res {

std::span<const ui::DialogResource> fitPageTemplates();

constexpr int kDlgFitPage = 1006;

namespace fit {
constexpr int kFitLabel = 1087;
constexpr int kBestFit = 1088;          // DIMATFIT 3
constexpr int kArrows = 1089;           // DIMATFIT 1
constexpr int kText = 1090;             // DIMATFIT 2
constexpr int kBoth = 1091;             // DIMATFIT 0
constexpr int kKeepInside = 1092;       // DIMTIX
constexpr int kSuppressArrows = 1093;   // DIMSOXD
constexpr int kBesideLine = 1095;       // DIMTMOVE 0
constexpr int kOverWithLeader = 1096;   // DIMTMOVE 1
constexpr int kOverNoLeader = 1097;     // DIMTMOVE 2
constexpr int kOverallScale = 1099;     // DIMSCALE the field
constexpr int kScaleToLayout = 1100;    // DIMSCALE 0
constexpr int kScale = 1101;            // DIMSCALE
constexpr int kScaleSpin = 1102;
constexpr int kPlaceManually = 1104;    // DIMUPT
constexpr int kDimLineInside = 1105;    // DIMTOFL
// The label above the text placement buttons has no id of its own: it is
// the control just before 1095.
}  // namespace fit

}  // namespace dds::res
