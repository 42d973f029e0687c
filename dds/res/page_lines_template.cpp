#include "page_lines_template.h"

#include <iterator>

namespace dds::res {
namespace {

using ui::ControlKind;
using namespace lines;

struct LinesTexts {
  const char* dimLines;
  const char* color;
  const char* linetype;
  const char* lineweight;
  const char* extendBeyondTicks;
  const char* baselineSpacing;
  const char* suppressDim;
  const char* dimLine1;
  const char* dimLine2;
  const char* extLines;
  const char* extColor;
  const char* ext1Linetype;
  const char* ext2Linetype;
  const char* extLineweight;
  const char* suppressExt;
  const char* extLine1;
  const char* extLine2;
  const char* extendBeyondDim;
  const char* offset;
  const char* fixedLength;
  const char* length;
};

constexpr LinesTexts kLinesEn{"Dimension lines", "&Color:", "&Linetype:", "Linewei&ght:", "Exte&nd beyond ticks:",
                              "B&aseline spacing:", "Suppress", "Di&m line 1", "&Dim line 2", "Extension lines",
                              "Co&lor:", "&Linetype ext line 1:", "&Linetype ext line 2:", "Lineweig&ht:",
                              "Suppress", "Ext line &1", "Ext line &2", "E&xtend beyond dim lines:",
                              "O&ffset from origin:", "Fixed length extensi&on lines", "L&ength:"};
constexpr LinesTexts kLinesRu{"Размерные линии", "&Цвет:", "&Тип линий:", "&Вес линий:", "&Удлинение за засечки:",
                              "&Шаг в базовых:", "Подавить", "Раз&м. линию 1", "Ра&зм. линию 2", "Выносные линии",
                              "Цв&ет:", "Тип в&ыносной 1:", "Тип вы&носной 2:", "Ве&с линий:", "Подавить",
                              "Выносную &1", "Выносную &2", "Уд&линение за размерные:", "&Отступ от объекта:",
                              "&Фиксированная длина", "Дл&ина:"};

constexpr unsigned kList = ui::kStyleOwnerDrawFixed | ui::kStyleTabStop;
constexpr unsigned kField = ui::kStyleTabStop;
constexpr unsigned kBox = ui::kStyleAutoCheck | ui::kStyleTabStop;
constexpr unsigned kOff = ui::kStyleDisabled;

// Labels stand before their control and every spin directly after its
// field: the field is the spin's buddy. The upper right quarter stays free
// for the editor's preview.
#define DDS_LINES_CONTROLS(T)                                                                    \
  {                                                                                              \
    {1012, ControlKind::kGroupBox, T.dimLines, {4, 2, 198, 112}, 0},                             \
    {1013, ControlKind::kLabel, T.color, {10, 16, 88, 8}, 0},                                    \
    {kDimColor, ControlKind::kDropDown, "", {100, 14, 96, 12}, kList},                           \
    {1014, ControlKind::kLabel, T.linetype, {10, 32, 88, 8}, 0},                                 \
    {kDimLinetype, ControlKind::kDropDown, "", {100, 30, 96, 12}, kList},                        \
    {1015, ControlKind::kLabel, T.lineweight, {10, 48, 88, 8}, 0},                               \
    {kDimLineweight, ControlKind::kDropDown, "", {100, 46, 96, 12}, kList},                      \
    {1016, ControlKind::kLabel, T.extendBeyondTicks, {10, 64, 88, 8}, 0},                        \
    {kDimExtend, ControlKind::kEdit, "", {100, 62, 50, 12}, kField | kOff},                       \
    {kDimExtendSpin, ControlKind::kSpin, "", {150, 62, 10, 12}, kOff},                           \
    {1017, ControlKind::kLabel, T.baselineSpacing, {10, 80, 88, 8}, 0},                          \
    {kBaseline, ControlKind::kEdit, "", {100, 78, 50, 12}, kField},                               \
    {kBaselineSpin, ControlKind::kSpin, "", {150, 78, 10, 12}, 0},                               \
    {1018, ControlKind::kLabel, T.suppressDim, {10, 97, 44, 8}, 0},                              \
    {kSuppressDim1, ControlKind::kCheckBox, T.dimLine1, {56, 96, 70, 10}, kBox},                 \
    {kSuppressDim2, ControlKind::kCheckBox, T.dimLine2, {128, 96, 70, 10}, kBox},                \
    {1027, ControlKind::kGroupBox, T.extLines, {4, 117, 355, 100}, 0},                           \
    {1029, ControlKind::kLabel, T.extColor, {10, 131, 80, 8}, 0},                                \
    {kExtColor, ControlKind::kDropDown, "", {92, 129, 104, 12}, kList},                          \
    {1030, ControlKind::kLabel, T.ext1Linetype, {10, 147, 80, 8}, 0},                            \
    {kExt1Linetype, ControlKind::kDropDown, "", {92, 145, 104, 12}, kList},                      \
    {1035, ControlKind::kLabel, T.ext2Linetype, {10, 163, 80, 8}, 0},                            \
    {kExt2Linetype, ControlKind::kDropDown, "", {92, 161, 104, 12}, kList},                      \
    {1031, ControlKind::kLabel, T.extLineweight, {10, 179, 80, 8}, 0},                           \
    {kExtLineweight, ControlKind::kDropDown, "", {92, 177, 104, 12}, kList},                     \
    {1037, ControlKind::kLabel, T.suppressExt, {10, 198, 44, 8}, 0},                             \
    {kSuppressExt1, ControlKind::kCheckBox, T.extLine1, {56, 197, 70, 10}, kBox},                \
    {kSuppressExt2, ControlKind::kCheckBox, T.extLine2, {128, 197, 70, 10}, kBox},               \
    {1040, ControlKind::kLabel, T.extendBeyondDim, {208, 131, 100, 8}, 0},                        \
    {kExtBeyond, ControlKind::kEdit, "", {310, 129, 36, 12}, kField},                            \
    {kExtBeyondSpin, ControlKind::kSpin, "", {346, 129, 10, 12}, 0},                             \
    {1052, ControlKind::kLabel, T.offset, {208, 147, 100, 8}, 0},                                 \
    {kOffset, ControlKind::kEdit, "", {310, 145, 36, 12}, kField},                               \
    {kOffsetSpin, ControlKind::kSpin, "", {346, 145, 10, 12}, 0},                                \
    {kFixedLength, ControlKind::kCheckBox, T.fixedLength, {208, 165, 148, 10}, kBox},            \
    {1053, ControlKind::kLabel, T.length, {218, 181, 90, 8}, 0},                                 \
    {kLength, ControlKind::kEdit, "", {310, 179, 36, 12}, kField | kOff},                        \
    {kLengthSpin, ControlKind::kSpin, "", {346, 179, 10, 12}, kOff},                             \
  }

const ui::ControlTemplate kLinesControlsEn[] = DDS_LINES_CONTROLS(kLinesEn);
const ui::ControlTemplate kLinesControlsRu[] = DDS_LINES_CONTROLS(kLinesRu);
#undef DDS_LINES_CONTROLS

const ui::DialogResource kLinesTemplates[] = {
    {kDlgLinesPage, HostLanguage::kEnglish, "", 363, 221, true, kLinesControlsEn, std::size(kLinesControlsEn)},
    {kDlgLinesPage, HostLanguage::kRussian, "", 363, 221, true, kLinesControlsRu, std::size(kLinesControlsRu)},
};

}  // namespace

std::span<const ui::DialogResource> linesPageTemplates() { return kLinesTemplates; }

}  // namespace dds::res
