#include "page_text_template.h"

#include <iterator>

namespace dds::res {
namespace {

using ui::ControlKind;
using namespace text;

struct TextTexts {
  const char* appearance;
  const char* style;
  const char* color;
  const char* fill;
  const char* height;
  const char* fractionScale;
  const char* frame;
  const char* placement;
  const char* vertical;
  const char* horizontal;
  const char* offset;
  const char* alignment;
  const char* alignHorizontal;
  const char* alignAligned;
  const char* alignIso;
};

constexpr TextTexts kTextEn{"Text appearance", "Text st&yle:", "Text &color:", "Fi&ll color:", "Text heigh&t:",
                            "Fraction &height scale:", "Draw &frame around text", "Text placement", "&Vertical:",
                            "Hori&zontal:", "&Offset from dim line:", "Text &alignment", "Horizontal",
                            "Aligned with dimension line", "ISO standard"};
constexpr TextTexts kTextRu{"Свойства текста", "Текстовый ст&иль:", "&Цвет текста:", "Цвет &фона:",
                            "&Высота текста:", "Масштаб высоты д&робей:", "Ра&мка вокруг текста",
                            "Выравнивание текста", "По в&ертикали:", "По &горизонтали:",
                            "&Отступ от линии:", "Ориен&тация текста", "Горизонтально",
                            "Вдоль размерной линии", "Согласно ISO"};

constexpr unsigned kList = ui::kStyleOwnerDrawFixed | ui::kStyleTabStop;
constexpr unsigned kField = ui::kStyleTabStop;
constexpr unsigned kOff = ui::kStyleDisabled;

// Labels stand before their control and every spin directly after its
// field: the field is the spin's buddy. The upper right quarter stays free
// for the editor's preview.
#define DDS_TEXT_CONTROLS(T)                                                                             \
  {                                                                                                      \
    {1065, ControlKind::kGroupBox, T.appearance, {4, 2, 198, 112}, 0},                                   \
    {1066, ControlKind::kLabel, T.style, {10, 16, 94, 8}, 0},                                            \
    {kStyle, ControlKind::kDropDown, "", {106, 14, 70, 12}, ui::kStyleSorted | ui::kStyleTabStop},        \
    {kStyleButton, ControlKind::kButton, "...", {178, 14, 18, 12}, ui::kStyleTabStop},                   \
    {1069, ControlKind::kLabel, T.color, {10, 32, 94, 8}, 0},                                            \
    {kColor, ControlKind::kDropDown, "", {106, 30, 90, 12}, kList},                                      \
    {1071, ControlKind::kLabel, T.fill, {10, 48, 94, 8}, 0},                                             \
    {kFill, ControlKind::kDropDown, "", {106, 46, 90, 12}, kList},                                       \
    {1076, ControlKind::kLabel, T.height, {10, 64, 94, 8}, 0},                                           \
    {kHeight, ControlKind::kEdit, "", {106, 62, 50, 12}, kField},                                         \
    {kHeightSpin, ControlKind::kSpin, "", {156, 62, 10, 12}, 0},                                         \
    {1075, ControlKind::kLabel, T.fractionScale, {10, 80, 94, 8}, 0},                                    \
    {kFractionScale, ControlKind::kEdit, "", {106, 78, 50, 12}, kField | kOff},                           \
    {kFractionScaleSpin, ControlKind::kSpin, "", {156, 78, 10, 12}, kOff},                               \
    {kFrame, ControlKind::kCheckBox, T.frame, {10, 97, 186, 10}, ui::kStyleAutoCheck | ui::kStyleTabStop}, \
    {1083, ControlKind::kGroupBox, T.placement, {4, 117, 198, 100}, 0},                                  \
    {1080, ControlKind::kLabel, T.vertical, {10, 133, 94, 8}, 0},                                        \
    {kVertical, ControlKind::kDropDown, "", {106, 131, 90, 12}, ui::kStyleTabStop},                      \
    {1081, ControlKind::kLabel, T.horizontal, {10, 151, 94, 8}, 0},                                      \
    {kHorizontal, ControlKind::kDropDown, "", {106, 149, 90, 12}, ui::kStyleTabStop},                    \
    {1082, ControlKind::kLabel, T.offset, {10, 169, 94, 8}, 0},                                         \
    {kOffset, ControlKind::kEdit, "", {106, 167, 50, 12}, kField},                                        \
    {kOffsetSpin, ControlKind::kSpin, "", {156, 167, 10, 12}, 0},                                        \
    {1084, ControlKind::kGroupBox, T.alignment, {208, 117, 151, 100}, 0},                                \
    {kAlignHorizontal, ControlKind::kRadioButton, T.alignHorizontal, {216, 133, 138, 10},                \
     ui::kStyleGroup | ui::kStyleAutoCheck | ui::kStyleTabStop},                                         \
    {kAlignAligned, ControlKind::kRadioButton, T.alignAligned, {216, 151, 138, 10}, ui::kStyleAutoCheck}, \
    {kAlignIso, ControlKind::kRadioButton, T.alignIso, {216, 169, 138, 10}, ui::kStyleAutoCheck},        \
  }

const ui::ControlTemplate kTextControlsEn[] = DDS_TEXT_CONTROLS(kTextEn);
const ui::ControlTemplate kTextControlsRu[] = DDS_TEXT_CONTROLS(kTextRu);
#undef DDS_TEXT_CONTROLS

const ui::DialogResource kTextTemplates[] = {
    {kDlgTextPage, HostLanguage::kEnglish, "", 363, 221, true, kTextControlsEn, std::size(kTextControlsEn)},
    {kDlgTextPage, HostLanguage::kRussian, "", 363, 221, true, kTextControlsRu, std::size(kTextControlsRu)},
};

}  // namespace

std::span<const ui::DialogResource> textPageTemplates() { return kTextTemplates; }

}  // namespace dds::res
