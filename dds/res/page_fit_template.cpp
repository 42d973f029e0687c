#include "page_fit_template.h"

#include <iterator>

namespace dds::res {
namespace {

using ui::ControlKind;
using namespace fit;

struct FitTexts {
  const char* fitOptions;
  const char* fitQuestion;
  const char* bestFit;
  const char* arrows;
  const char* text;
  const char* both;
  const char* keepInside;
  const char* suppressArrows;
  const char* suppressArrowsMore;
  const char* placement;
  const char* placementQuestion;
  const char* beside;
  const char* overWithLeader;
  const char* overNoLeader;
  const char* scaleGroup;
  const char* overallScale;
  const char* scaleToLayout;
  const char* fineTuning;
  const char* placeManually;
  const char* dimLineInside;
};

constexpr FitTexts kFitEn{
    "&Fit options",
    "If there isn't enough room to place both text and arrows inside extension lines, the first thing to move "
    "outside the extension lines is:",
    "Either text or arrows (best fit)", "Arrows", "Text", "Both text and arrows", "Always keep text between ext lines",
    "Suppress arrows if they don't fit inside", "extension lines", "Text placement",
    "When text is not in the default position, place it:", "&Beside the dimension line",
    "Over dimension line, with &leader", "Over dimension line, with&out leader", "Scale dimension features",
    "Use overall &scale of:", "Scale dimensions to layout", "Fine &tuning", "&Place text manually",
    "&Draw dim line between ext lines"};
constexpr FitTexts kFitRu{
    "&Параметры размещения",
    "Если между выносными линиями недостаточно места для текста и стрелок, первым за выносные линии "
    "переносится:",
    "Текст или стрелки (оптимально)", "Стрелки", "Текст", "Текст и стрелки", "Текст всегда между выносными",
    "Подавить стрелки, если они не помещаются", "между выносными линиями", "Размещение текста",
    "Если текст не в стандартном положении, помещать его:", "&Рядом с размерной линией",
    "Над размерной линией, с &выноской", "Над размерной линией, &без выноски", "Масштаб элементов размера",
    "&Глобальный масштаб:", "Масштаб по листу", "&Точная настройка", "Размещать текст вру&чную",
    "Раз&м. линия между выносными"};

constexpr unsigned kRadio = ui::kStyleAutoCheck;
constexpr unsigned kFirstRadio = ui::kStyleGroup | ui::kStyleAutoCheck | ui::kStyleTabStop;
constexpr unsigned kBox = ui::kStyleAutoCheck | ui::kStyleTabStop;

// Each group of radio buttons starts with kStyleGroup; the check box and
// labels inside the first group are no radio buttons, so a click there
// clears nothing. The upper right quarter stays free for the preview.
#define DDS_FIT_CONTROLS(T)                                                                          \
  {                                                                                                  \
    {1086, ControlKind::kGroupBox, T.fitOptions, {4, 2, 198, 124}, 0},                               \
    {kFitLabel, ControlKind::kLabel, T.fitQuestion, {10, 13, 188, 26}, 0},                           \
    {kBestFit, ControlKind::kRadioButton, T.bestFit, {10, 41, 188, 10}, kFirstRadio},                \
    {kArrows, ControlKind::kRadioButton, T.arrows, {10, 53, 188, 10}, kRadio},                       \
    {kText, ControlKind::kRadioButton, T.text, {10, 65, 188, 10}, kRadio},                           \
    {kBoth, ControlKind::kRadioButton, T.both, {10, 77, 188, 10}, kRadio},                           \
    {kKeepInside, ControlKind::kRadioButton, T.keepInside, {10, 89, 188, 10}, kRadio},               \
    {kSuppressArrows, ControlKind::kCheckBox, T.suppressArrows, {10, 103, 188, 10}, kBox},           \
    {1094, ControlKind::kLabel, T.suppressArrowsMore, {22, 113, 176, 8}, 0},                         \
    {1083, ControlKind::kGroupBox, T.placement, {4, 129, 198, 88}, 0},                               \
    {-1, ControlKind::kLabel, T.placementQuestion, {10, 140, 188, 18}, 0},                           \
    {kBesideLine, ControlKind::kRadioButton, T.beside, {10, 160, 188, 10}, kFirstRadio},             \
    {kOverWithLeader, ControlKind::kRadioButton, T.overWithLeader, {10, 174, 188, 10}, kRadio},      \
    {kOverNoLeader, ControlKind::kRadioButton, T.overNoLeader, {10, 188, 188, 10}, kRadio},          \
    {1098, ControlKind::kGroupBox, T.scaleGroup, {208, 117, 151, 52}, 0},                            \
    {kOverallScale, ControlKind::kRadioButton, T.overallScale, {214, 129, 96, 10}, kFirstRadio},     \
    {kScale, ControlKind::kEdit, "", {312, 128, 32, 12}, ui::kStyleTabStop},                         \
    {kScaleSpin, ControlKind::kSpin, "", {344, 128, 10, 12}, 0},                                     \
    {kScaleToLayout, ControlKind::kRadioButton, T.scaleToLayout, {214, 150, 138, 10}, kRadio},       \
    {1103, ControlKind::kGroupBox, T.fineTuning, {208, 172, 151, 45}, 0},                            \
    {kPlaceManually, ControlKind::kCheckBox, T.placeManually, {214, 184, 140, 10}, kBox},            \
    {kDimLineInside, ControlKind::kCheckBox, T.dimLineInside, {214, 200, 140, 10}, kBox},            \
  }

const ui::ControlTemplate kFitControlsEn[] = DDS_FIT_CONTROLS(kFitEn);
const ui::ControlTemplate kFitControlsRu[] = DDS_FIT_CONTROLS(kFitRu);
#undef DDS_FIT_CONTROLS

const ui::DialogResource kFitTemplates[] = {
    {kDlgFitPage, HostLanguage::kEnglish, "", 363, 221, true, kFitControlsEn, std::size(kFitControlsEn)},
    {kDlgFitPage, HostLanguage::kRussian, "", 363, 221, true, kFitControlsRu, std::size(kFitControlsRu)},
};

}  // namespace

std::span<const ui::DialogResource> fitPageTemplates() { return kFitTemplates; }

}  // namespace dds::res
