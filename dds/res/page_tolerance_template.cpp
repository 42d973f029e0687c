#include "page_tolerance_template.h"

#include <iterator>

namespace dds::res {
namespace {

using ui::ControlKind;
using namespace tolerance;

struct ToleranceTexts {
  const char* format;
  const char* method;
  const char* precision;
  const char* upper;
  const char* lower;
  const char* height;
  const char* vertical;
  const char* zeros;
  const char* leading;
  const char* trailing;
  const char* feet;
  const char* inches;
  const char* alternate;
  const char* altPrecision;
  const char* altLeading;
  const char* altTrailing;
  const char* altFeet;
  const char* altInches;
};

constexpr ToleranceTexts kToleranceEn{
    "Tolerance format", "&Method:", "P&recision:", "Upper &value:", "Lo&wer value:", "Scaling for &height:",
    "Vertical po&sition:", "Zero suppression", "&Leading", "&Trailing", "0 &feet", "0 &inches",
    "Alternate units tolerance", "&Precision:", "Lea&ding", "Traili&ng", "0 f&eet", "0 in&ches"};
constexpr ToleranceTexts kToleranceRu{
    "Формат допусков", "&Метод:", "Т&очность:", "&Верхнее значение:", "&Нижнее значение:", "Масштаб в&ысоты:",
    "По вертика&ли:", "Подавление нулей", "В&едущие", "&Замыкающие", "0 ф&утов", "0 д&юймов",
    "Допуски в альтернативных единицах", "То&чность:", "Ведущ&ие", "Замы&кающие", "0 фу&тов", "0 дю&ймов"};

constexpr unsigned kField = ui::kStyleTabStop;
constexpr unsigned kBox = ui::kStyleAutoCheck | ui::kStyleTabStop;
constexpr unsigned kOff = ui::kStyleDisabled;

// Labels stand before their control and every spin directly after its
// field: the field is the spin's buddy. The upper right quarter stays free
// for the editor's preview.
#define DDS_TOLERANCE_CONTROLS(T)                                                                      \
  {                                                                                                    \
    {1146, ControlKind::kGroupBox, T.format, {4, 2, 198, 118}, 0},                                     \
    {1148, ControlKind::kLabel, T.method, {10, 16, 94, 8}, 0},                                         \
    {kMethod, ControlKind::kDropDown, "", {106, 14, 90, 12}, kField},                                  \
    {1149, ControlKind::kLabel, T.precision, {10, 32, 94, 8}, 0},                                      \
    {kPrecision, ControlKind::kDropDown, "", {106, 30, 90, 12}, kField},                               \
    {1151, ControlKind::kLabel, T.upper, {10, 48, 94, 8}, 0},                                          \
    {kUpper, ControlKind::kEdit, "", {106, 46, 50, 12}, kField},                                        \
    {kUpperSpin, ControlKind::kSpin, "", {156, 46, 10, 12}, 0},                                        \
    {1154, ControlKind::kLabel, T.lower, {10, 64, 94, 8}, 0},                                          \
    {kLower, ControlKind::kEdit, "", {106, 62, 50, 12}, kField},                                        \
    {kLowerSpin, ControlKind::kSpin, "", {156, 62, 10, 12}, 0},                                        \
    {1157, ControlKind::kLabel, T.height, {10, 80, 94, 8}, 0},                                         \
    {kHeightScale, ControlKind::kEdit, "", {106, 78, 50, 12}, kField},                                  \
    {kHeightScaleSpin, ControlKind::kSpin, "", {156, 78, 10, 12}, 0},                                  \
    {1160, ControlKind::kLabel, T.vertical, {10, 96, 94, 8}, 0},                                       \
    {kVertical, ControlKind::kDropDown, "", {106, 94, 90, 12}, kField},                                \
    {1170, ControlKind::kGroupBox, T.zeros, {4, 126, 198, 45}, 0},                                     \
    {kLeading, ControlKind::kCheckBox, T.leading, {10, 138, 90, 10}, kBox},                            \
    {kTrailing, ControlKind::kCheckBox, T.trailing, {10, 154, 90, 10}, kBox},                          \
    {kZeroFeet, ControlKind::kCheckBox, T.feet, {104, 138, 92, 10}, kBox | kOff},                      \
    {kZeroInches, ControlKind::kCheckBox, T.inches, {104, 154, 92, 10}, kBox | kOff},                  \
    {1162, ControlKind::kGroupBox, T.alternate, {208, 126, 151, 91}, 0},                               \
    {1163, ControlKind::kLabel, T.altPrecision, {214, 140, 64, 8}, 0},                                 \
    {kAltPrecision, ControlKind::kDropDown, "", {280, 138, 74, 12}, kField},                           \
    {1130, ControlKind::kGroupBox, T.zeros, {214, 156, 140, 56}, 0},                                   \
    {kAltLeading, ControlKind::kCheckBox, T.altLeading, {220, 168, 64, 10}, kBox},                     \
    {kAltTrailing, ControlKind::kCheckBox, T.altTrailing, {220, 184, 64, 10}, kBox},                   \
    {kAltZeroFeet, ControlKind::kCheckBox, T.altFeet, {286, 168, 64, 10}, kBox | kOff},                \
    {kAltZeroInches, ControlKind::kCheckBox, T.altInches, {286, 184, 64, 10}, kBox | kOff},            \
  }

const ui::ControlTemplate kToleranceControlsEn[] = DDS_TOLERANCE_CONTROLS(kToleranceEn);
const ui::ControlTemplate kToleranceControlsRu[] = DDS_TOLERANCE_CONTROLS(kToleranceRu);
#undef DDS_TOLERANCE_CONTROLS

const ui::DialogResource kToleranceTemplates[] = {
    {kDlgTolerancePage, HostLanguage::kEnglish, "", 363, 221, true, kToleranceControlsEn,
     std::size(kToleranceControlsEn)},
    {kDlgTolerancePage, HostLanguage::kRussian, "", 363, 221, true, kToleranceControlsRu,
     std::size(kToleranceControlsRu)},
};

}  // namespace

std::span<const ui::DialogResource> tolerancePageTemplates() { return kToleranceTemplates; }

}  // namespace dds::res
