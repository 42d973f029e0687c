#include "page_alternate_template.h"

#include <iterator>

namespace dds::res {
namespace {

using ui::ControlKind;
using namespace alternate;

struct AlternateTexts {
  const char* show;
  const char* group;
  const char* unitFormat;
  const char* precision;
  const char* multiplier;
  const char* round;
  const char* prefix;
  const char* suffix;
  const char* zeros;
  const char* leading;
  const char* trailing;
  const char* feet;
  const char* inches;
  const char* placement;
  const char* after;
  const char* below;
};

constexpr AlternateTexts kAlternateEn{
    "&Display alternate units", "Alternate units", "&Unit format:", "&Precision:", "&Multiplier for all units:",
    "&Round distances to:", "Prefi&x:", "&Suffix:", "Zero suppression", "&Leading", "&Trailing", "0 &feet",
    "0 &inches", "Placement", "&After primary value", "&Below primary value"};
constexpr AlternateTexts kAlternateRu{
    "Показать &альтернативные единицы", "Альтернативные единицы", "&Формат единиц:", "&Точность:",
    "&Множитель единиц:", "&Округлять до:", "&Префикс:", "&Суффикс:", "Подавление нулей", "&Ведущие",
    "&Замыкающие", "0 ф&утов", "0 д&юймов", "Размещение", "Пос&ле основного значения", "По&д основным значением"};

constexpr unsigned kField = ui::kStyleTabStop;
constexpr unsigned kBox = ui::kStyleAutoCheck | ui::kStyleTabStop;
constexpr unsigned kOff = ui::kStyleDisabled;

// Labels stand before their control and every spin directly after its
// field: the field is the spin's buddy. The upper right quarter stays free
// for the editor's preview.
#define DDS_ALTERNATE_CONTROLS(T)                                                                      \
  {                                                                                                    \
    {kShow, ControlKind::kCheckBox, T.show, {4, 2, 198, 10}, kBox},                                    \
    {1134, ControlKind::kGroupBox, T.group, {4, 14, 198, 116}, 0},                                     \
    {1135, ControlKind::kLabel, T.unitFormat, {10, 28, 94, 8}, 0},                                     \
    {kUnitFormat, ControlKind::kDropDown, "", {106, 26, 90, 12}, kField},                              \
    {1137, ControlKind::kLabel, T.precision, {10, 44, 94, 8}, 0},                                      \
    {kPrecision, ControlKind::kDropDown, "", {106, 42, 90, 12}, kField},                               \
    {1139, ControlKind::kLabel, T.multiplier, {10, 60, 94, 8}, 0},                                     \
    {kMultiplier, ControlKind::kEdit, "", {106, 58, 50, 12}, kField},                                   \
    {kMultiplierSpin, ControlKind::kSpin, "", {156, 58, 10, 12}, 0},                                   \
    {1142, ControlKind::kLabel, T.round, {10, 76, 94, 8}, 0},                                          \
    {kRound, ControlKind::kEdit, "", {106, 74, 50, 12}, kField},                                        \
    {kRoundSpin, ControlKind::kSpin, "", {156, 74, 10, 12}, 0},                                        \
    {1120, ControlKind::kLabel, T.prefix, {10, 92, 94, 8}, 0},                                         \
    {kPrefix, ControlKind::kEdit, "", {106, 90, 90, 12}, kField},                                       \
    {1121, ControlKind::kLabel, T.suffix, {10, 108, 94, 8}, 0},                                        \
    {kSuffix, ControlKind::kEdit, "", {106, 106, 90, 12}, kField},                                      \
    {1171, ControlKind::kGroupBox, T.zeros, {4, 134, 198, 45}, 0},                                     \
    {kLeading, ControlKind::kCheckBox, T.leading, {10, 146, 90, 10}, kBox},                            \
    {kTrailing, ControlKind::kCheckBox, T.trailing, {10, 162, 90, 10}, kBox},                          \
    {kZeroFeet, ControlKind::kCheckBox, T.feet, {104, 146, 92, 10}, kBox | kOff},                      \
    {kZeroInches, ControlKind::kCheckBox, T.inches, {104, 162, 92, 10}, kBox | kOff},                  \
    {1083, ControlKind::kGroupBox, T.placement, {208, 140, 151, 77}, 0},                               \
    {kAfter, ControlKind::kRadioButton, T.after, {214, 156, 138, 10},                                  \
     ui::kStyleGroup | ui::kStyleAutoCheck | ui::kStyleTabStop},                                       \
    {kBelow, ControlKind::kRadioButton, T.below, {214, 174, 138, 10}, ui::kStyleAutoCheck},            \
  }

const ui::ControlTemplate kAlternateControlsEn[] = DDS_ALTERNATE_CONTROLS(kAlternateEn);
const ui::ControlTemplate kAlternateControlsRu[] = DDS_ALTERNATE_CONTROLS(kAlternateRu);
#undef DDS_ALTERNATE_CONTROLS

const ui::DialogResource kAlternateTemplates[] = {
    {kDlgAlternatePage, HostLanguage::kEnglish, "", 363, 221, true, kAlternateControlsEn,
     std::size(kAlternateControlsEn)},
    {kDlgAlternatePage, HostLanguage::kRussian, "", 363, 221, true, kAlternateControlsRu,
     std::size(kAlternateControlsRu)},
};

}  // namespace

std::span<const ui::DialogResource> alternatePageTemplates() { return kAlternateTemplates; }

}  // namespace dds::res
