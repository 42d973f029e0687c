#include "page_primary_template.h"

#include <iterator>

namespace dds::res {
namespace {

using ui::ControlKind;
using namespace primary;

struct PrimaryTexts {
  const char* linear;
  const char* unitFormat;
  const char* precision;
  const char* fractionFormat;
  const char* decimalSeparator;
  const char* roundOff;
  const char* prefix;
  const char* suffix;
  const char* scaleGroup;
  const char* scale;
  const char* layoutOnly;
  const char* zeros;
  const char* leading;
  const char* trailing;
  const char* feet;
  const char* inches;
  const char* angular;
  const char* angularFormat;
  const char* angularPrecision;
  const char* angularLeading;
  const char* angularTrailing;
};

constexpr PrimaryTexts kPrimaryEn{
    "Linear dimensions", "&Unit format:", "&Precision:", "Fraction for&mat:", "De&cimal separator:", "&Round off:",
    "Prefi&x:", "&Suffix:", "Measurement scale", "Scal&e factor:", "Apply to layout dimension only",
    "Zero suppression", "&Leading", "&Trailing", "0 &feet", "0 &inches", "Angular dimensions", "Units form&at:",
    "Precisi&on:", "Lea&ding", "Traili&ng"};
constexpr PrimaryTexts kPrimaryRu{
    "Линейные размеры", "&Формат единиц:", "&Точность:", "Формат д&робей:", "Разделит&ель:",
    "&Округление:", "&Префикс:", "&Суффикс:", "Масштаб измерений", "Ко&эффициент:",
    "Только для размеров на листе", "Подавление нулей", "&Ведущие", "&Замыкающие", "0 ф&утов", "0 д&юймов",
    "Угловые размеры", "Фор&мат:", "Точ&ность:", "Ведущ&ие", "Замы&кающие"};

constexpr unsigned kField = ui::kStyleTabStop;
constexpr unsigned kBox = ui::kStyleAutoCheck | ui::kStyleTabStop;
constexpr unsigned kOff = ui::kStyleDisabled;

// Labels stand before their control and every spin directly after its
// field: the field is the spin's buddy. The upper right quarter stays free
// for the editor's preview.
#define DDS_PRIMARY_CONTROLS(T)                                                                        \
  {                                                                                                    \
    {1108, ControlKind::kGroupBox, T.linear, {4, 2, 198, 124}, 0},                                     \
    {1109, ControlKind::kLabel, T.unitFormat, {10, 16, 94, 8}, 0},                                     \
    {kUnitFormat, ControlKind::kDropDown, "", {106, 14, 90, 12}, kField},                              \
    {1114, ControlKind::kLabel, T.precision, {10, 32, 94, 8}, 0},                                      \
    {kPrecision, ControlKind::kDropDown, "", {106, 30, 90, 12}, kField},                               \
    {1116, ControlKind::kLabel, T.fractionFormat, {10, 48, 94, 8}, 0},                                 \
    {kFractionFormat, ControlKind::kDropDown, "", {106, 46, 90, 12}, kField},                          \
    {1118, ControlKind::kLabel, T.decimalSeparator, {10, 64, 94, 8}, 0},                               \
    {kDecimalSeparator, ControlKind::kDropDown, "", {106, 62, 90, 12}, kField},                        \
    {1119, ControlKind::kLabel, T.roundOff, {10, 80, 94, 8}, 0},                                       \
    {kRoundOff, ControlKind::kEdit, "", {106, 78, 50, 12}, kField},                                     \
    {kRoundOffSpin, ControlKind::kSpin, "", {156, 78, 10, 12}, 0},                                     \
    {1120, ControlKind::kLabel, T.prefix, {10, 96, 94, 8}, 0},                                         \
    {kPrefix, ControlKind::kEdit, "", {106, 94, 90, 12}, kField},                                       \
    {1121, ControlKind::kLabel, T.suffix, {10, 112, 94, 8}, 0},                                        \
    {kSuffix, ControlKind::kEdit, "", {106, 110, 90, 12}, kField},                                      \
    {1098, ControlKind::kGroupBox, T.scaleGroup, {4, 128, 198, 42}, 0},                                \
    {1176, ControlKind::kLabel, T.scale, {10, 141, 94, 8}, 0},                                         \
    {kScale, ControlKind::kEdit, "", {106, 139, 50, 12}, kField},                                       \
    {kScaleSpin, ControlKind::kSpin, "", {156, 139, 10, 12}, 0},                                       \
    {kLayoutOnly, ControlKind::kCheckBox, T.layoutOnly, {10, 156, 186, 10}, kBox},                     \
    {1128, ControlKind::kGroupBox, T.zeros, {4, 172, 198, 45}, 0},                                     \
    {kLeading, ControlKind::kCheckBox, T.leading, {10, 184, 90, 10}, kBox},                            \
    {kTrailing, ControlKind::kCheckBox, T.trailing, {10, 200, 90, 10}, kBox},                          \
    {kZeroFeet, ControlKind::kCheckBox, T.feet, {104, 184, 92, 10}, kBox | kOff},                      \
    {kZeroInches, ControlKind::kCheckBox, T.inches, {104, 200, 92, 10}, kBox | kOff},                  \
    {1131, ControlKind::kGroupBox, T.angular, {206, 140, 155, 77}, 0},                                 \
    {1132, ControlKind::kLabel, T.angularFormat, {211, 154, 52, 8}, 0},                                \
    {kAngularFormat, ControlKind::kDropDown, "", {265, 152, 92, 12}, kField},                          \
    {1133, ControlKind::kLabel, T.angularPrecision, {211, 170, 52, 8}, 0},                             \
    {kAngularPrecision, ControlKind::kDropDown, "", {265, 168, 92, 12}, kField},                       \
    {1130, ControlKind::kGroupBox, T.zeros, {211, 184, 146, 30}, 0},                                   \
    {kAngularLeading, ControlKind::kCheckBox, T.angularLeading, {217, 197, 66, 10}, kBox},             \
    {kAngularTrailing, ControlKind::kCheckBox, T.angularTrailing, {287, 197, 66, 10}, kBox},           \
  }

const ui::ControlTemplate kPrimaryControlsEn[] = DDS_PRIMARY_CONTROLS(kPrimaryEn);
const ui::ControlTemplate kPrimaryControlsRu[] = DDS_PRIMARY_CONTROLS(kPrimaryRu);
#undef DDS_PRIMARY_CONTROLS

const ui::DialogResource kPrimaryTemplates[] = {
    {kDlgPrimaryPage, HostLanguage::kEnglish, "", 363, 221, true, kPrimaryControlsEn, std::size(kPrimaryControlsEn)},
    {kDlgPrimaryPage, HostLanguage::kRussian, "", 363, 221, true, kPrimaryControlsRu, std::size(kPrimaryControlsRu)},
};

}  // namespace

std::span<const ui::DialogResource> primaryPageTemplates() { return kPrimaryTemplates; }

}  // namespace dds::res
