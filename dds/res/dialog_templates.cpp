// The module's dialog templates. Each dialog exists once per language with
// the same controls in the same order and places; only the texts differ.
#include "dialog_templates.h"

#include <iterator>

namespace dds::res {
namespace {

using ui::ControlKind;
using ui::ControlTemplate;

// The control sets of one template, laid out once and given the texts of a
// language, so that the languages cannot drift apart in layout.
struct CompareTexts {
  const char* compare;
  const char* with;
  const char* close;
  const char* help;
};

constexpr CompareTexts kCompareEn{"&Compare:", "&With:", "Close", "&Help"};
constexpr CompareTexts kCompareRu{"&Сравнить:", "С &чем:", "Закрыть", "Спра&вка"};

#define DDS_COMPARE_CONTROLS(T)                                                                              \
  {                                                                                                          \
    {kIdcCompareLabel, ControlKind::kLabel, T.compare, {7, 9, 42, 8}, 0},                                    \
    {kIdcCompareFirst, ControlKind::kDropDown, "", {52, 7, 278, 14}, ui::kStyleSorted | ui::kStyleTabStop}, \
    {kIdcCompareWithLabel, ControlKind::kLabel, T.with, {7, 27, 42, 8}, 0},                                  \
    {kIdcCompareSecond, ControlKind::kDropDown, "", {52, 25, 278, 14}, ui::kStyleSorted | ui::kStyleTabStop},\
    {kIdcCompareLine, ControlKind::kEtchedLine, "", {7, 45, 323, 1}, 0},                                     \
    {kIdcCompareCaption, ControlKind::kLabel, "Static", {7, 53, 296, 8}, 0},                                 \
    {kIdcCompareCopy, ControlKind::kButton, "", {311, 50, 19, 14}, ui::kStyleIcon | ui::kStyleTabStop},      \
    {kIdcCompareRows, ControlKind::kListView, "", {7, 67, 323, 135},                                         \
     ui::kStyleSingleSel | ui::kStyleNoSortHeader | ui::kStyleTabStop},                                      \
    {kIdcClose, ControlKind::kButton, T.close, {226, 210, 50, 14}, ui::kStyleTabStop},                       \
    {kIdcHelp, ControlKind::kButton, T.help, {280, 210, 50, 14}, ui::kStyleTabStop},                         \
  }

const ControlTemplate kCompareControlsEn[] = DDS_COMPARE_CONTROLS(kCompareEn);
const ControlTemplate kCompareControlsRu[] = DDS_COMPARE_CONTROLS(kCompareRu);
#undef DDS_COMPARE_CONTROLS

const ui::DialogResource kTemplates[] = {
    {kDlgCompare, HostLanguage::kEnglish, "Compare Dimension Styles", 337, 231, false, kCompareControlsEn,
     std::size(kCompareControlsEn)},
    {kDlgCompare, HostLanguage::kRussian, "Сравнение размерных стилей", 337, 231, false, kCompareControlsRu,
     std::size(kCompareControlsRu)},
};

const ui::DialogResourceTable kTable{kTemplates, std::size(kTemplates)};

}  // namespace

const ui::DialogResourceTable& dialogTemplates() { return kTable; }

}  // namespace dds::res
