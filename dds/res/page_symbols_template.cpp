#include "page_symbols_template.h"

#include <iterator>

namespace dds::res {
namespace {

using ui::ControlKind;
using namespace symbols;

struct SymbolsTexts {
  const char* arrowheads;
  const char* first;
  const char* second;
  const char* leader;
  const char* arrowSize;
  const char* centerMarks;
  const char* none;
  const char* mark;
  const char* line;
  const char* size;
  const char* arcSymbol;
  const char* preceding;
  const char* above;
  const char* arcNone;
  const char* jog;
  const char* jogAngle;
};

constexpr SymbolsTexts kSymbolsEn{"Arrowheads", "Firs&t:", "Secon&d:", "&Leader:", "Arrow s&ize:",
                                  "Center marks", "&None", "&Mark", "Lin&e", "&Size:", "Arc length symbol",
                                  "&Preceding dimension text", "&Above dimension text", "N&one",
                                  "Radius dimension jog", "&Jog angle:"};
constexpr SymbolsTexts kSymbolsRu{"Стрелки", "&Первая:", "&Вторая:", "В&ыноска:", "&Размер стрелки:",
                                  "Маркеры центра", "&Нет", "&Маркер", "&Линия", "Р&азмер:", "Символ длины дуги",
                                  "П&еред размерным текстом", "На&д размерным текстом", "Не&т",
                                  "Излом радиусного размера", "&Угол излома:"};

constexpr unsigned kList = ui::kStyleOwnerDrawFixed | ui::kStyleTabStop;
constexpr unsigned kField = ui::kStyleTabStop;
constexpr unsigned kRadio = ui::kStyleAutoCheck | ui::kStyleTabStop;
constexpr unsigned kFirstRadio = kRadio | ui::kStyleGroup;

// Every spin directly after its field (its buddy); the size label of the
// centre marks has no id of its own. The upper right quarter stays free for
// the editor's preview.
#define DDS_SYMBOLS_CONTROLS(T)                                                                  \
  {                                                                                              \
    {1042, ControlKind::kGroupBox, T.arrowheads, {4, 2, 198, 112}, 0},                           \
    {1043, ControlKind::kLabel, T.first, {10, 14, 180, 8}, 0},                                   \
    {kFirstArrow, ControlKind::kDropDown, "", {10, 23, 186, 12}, kList},                         \
    {1045, ControlKind::kLabel, T.second, {10, 39, 180, 8}, 0},                                  \
    {kSecondArrow, ControlKind::kDropDown, "", {10, 48, 186, 12}, kList},                        \
    {1047, ControlKind::kLabel, T.leader, {10, 64, 180, 8}, 0},                                  \
    {kLeaderArrow, ControlKind::kDropDown, "", {10, 73, 186, 12}, kList},                        \
    {1049, ControlKind::kLabel, T.arrowSize, {10, 94, 80, 8}, 0},                                \
    {kArrowSize, ControlKind::kEdit, "", {92, 92, 50, 12}, kField},                              \
    {kArrowSizeSpin, ControlKind::kSpin, "", {142, 92, 10, 12}, 0},                              \
    {1054, ControlKind::kGroupBox, T.centerMarks, {4, 117, 170, 100}, 0},                        \
    {kMarkNone, ControlKind::kRadioButton, T.none, {10, 131, 60, 10}, kFirstRadio},              \
    {kMarkMark, ControlKind::kRadioButton, T.mark, {10, 147, 60, 10}, kRadio},                   \
    {kMarkLine, ControlKind::kRadioButton, T.line, {10, 163, 60, 10}, kRadio},                   \
    {-1, ControlKind::kLabel, T.size, {76, 149, 34, 8}, 0},                                      \
    {kMarkSize, ControlKind::kEdit, "", {110, 147, 44, 12}, kField},                             \
    {kMarkSizeSpin, ControlKind::kSpin, "", {154, 147, 10, 12}, 0},                              \
    {1062, ControlKind::kGroupBox, T.arcSymbol, {180, 117, 179, 54}, 0},                         \
    {kArcPreceding, ControlKind::kRadioButton, T.preceding, {186, 129, 168, 10}, kFirstRadio},   \
    {kArcAbove, ControlKind::kRadioButton, T.above, {186, 142, 168, 10}, kRadio},                \
    {kArcNone, ControlKind::kRadioButton, T.arcNone, {186, 155, 168, 10}, kRadio},               \
    {1061, ControlKind::kGroupBox, T.jog, {180, 175, 179, 42}, 0},                               \
    {1063, ControlKind::kLabel, T.jogAngle, {186, 193, 90, 8}, 0},                               \
    {kJogAngle, ControlKind::kEdit, "", {280, 191, 50, 12}, kField},                             \
  }

const ui::ControlTemplate kSymbolsControlsEn[] = DDS_SYMBOLS_CONTROLS(kSymbolsEn);
const ui::ControlTemplate kSymbolsControlsRu[] = DDS_SYMBOLS_CONTROLS(kSymbolsRu);
#undef DDS_SYMBOLS_CONTROLS

const ui::DialogResource kSymbolsTemplates[] = {
    {kDlgSymbolsPage, HostLanguage::kEnglish, "", 363, 221, true, kSymbolsControlsEn, std::size(kSymbolsControlsEn)},
    {kDlgSymbolsPage, HostLanguage::kRussian, "", 363, 221, true, kSymbolsControlsRu, std::size(kSymbolsControlsRu)},
};

}  // namespace

std::span<const ui::DialogResource> symbolsPageTemplates() { return kSymbolsTemplates; }

}  // namespace dds::res
