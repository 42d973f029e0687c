// The module's dialog templates. Each dialog exists once per language with
// the same controls in the same order and places; only the texts differ.
#include "dialog_templates.h"

#include <iterator>
#include <vector>

#include "page_fit_template.h"
#include "page_primary_template.h"
#include "page_alternate_template.h"
#include "page_tolerance_template.h"
#include "page_lines_template.h"
#include "page_symbols_template.h"
#include "page_text_template.h"
#include "style_editor_template.h"

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

struct ManagerTexts {
  const char* current;
  const char* styles;
  const char* previewOf;
  const char* setCurrent;
  const char* create;
  const char* modify;
  const char* override_;
  const char* compare;
  const char* remove;
  const char* close;
  const char* help;
};

constexpr ManagerTexts kManagerEn{"Current Dimstyle: ", "&Styles", "Preview of: ", "Set C&urrent", "&New...",
                                  "&Modify...", "&Override...", "&Compare...", "&Delete...", "Close", "&Help"};
constexpr ManagerTexts kManagerRu{"Текущий размерный стиль: ", "&Стили", "Образец: ", "Сделать &текущим",
                                  "&Новый...", "&Изменить...", "&Переопределить...", "С&равнить...",
                                  "&Удалить...", "Закрыть", "Спра&вка"};

#define DDS_MANAGER_CONTROLS(T)                                                                              \
  {                                                                                                          \
    {kIdcManagerCurrent, ControlKind::kLabel, T.current, {7, 6, 270, 8}, 0},                                 \
    {kIdcManagerStylesLabel, ControlKind::kLabel, T.styles, {7, 18, 100, 8}, 0},                             \
    {kIdcManagerStyles, ControlKind::kListView, "", {7, 28, 112, 138},                                       \
     ui::kStyleSingleSel | ui::kStyleNoHeader | ui::kStyleEditLabels | ui::kStyleTabStop},                   \
    {kIdcManagerPreviewLabel, ControlKind::kLabel, T.previewOf, {125, 18, 140, 8}, 0},                       \
    {kIdcManagerPreview, ControlKind::kFrame, "", {125, 28, 140, 138}, 0},                                   \
    {kIdcManagerSetCurrent, ControlKind::kButton, T.setCurrent, {271, 28, 74, 14}, ui::kStyleTabStop},       \
    {kIdcManagerNew, ControlKind::kButton, T.create, {271, 46, 74, 14}, ui::kStyleTabStop},                  \
    {kIdcManagerModify, ControlKind::kButton, T.modify, {271, 64, 74, 14}, ui::kStyleTabStop},               \
    {kIdcManagerOverride, ControlKind::kButton, T.override_, {271, 82, 74, 14}, ui::kStyleTabStop},          \
    {kIdcManagerCompare, ControlKind::kButton, T.compare, {271, 100, 74, 14}, ui::kStyleTabStop},            \
    {kIdcManagerDelete, ControlKind::kButton, T.remove, {271, 118, 74, 14}, ui::kStyleTabStop},              \
    {kIdcClose, ControlKind::kButton, T.close, {193, 172, 74, 14}, ui::kStyleDefault | ui::kStyleTabStop},  \
    {kIdcHelp, ControlKind::kButton, T.help, {271, 172, 74, 14}, ui::kStyleTabStop},                         \
  }

const ControlTemplate kManagerControlsEn[] = DDS_MANAGER_CONTROLS(kManagerEn);
const ControlTemplate kManagerControlsRu[] = DDS_MANAGER_CONTROLS(kManagerRu);
#undef DDS_MANAGER_CONTROLS

struct NewStyleTexts {
  const char* name;
  const char* source;
  const char* useFor;
  const char* ok;
  const char* cancel;
  const char* help;
};

constexpr NewStyleTexts kNewStyleEn{"&New Style Name:", "&Start With:", "&Use for:", "OK", "Cancel", "&Help"};
constexpr NewStyleTexts kNewStyleRu{"&Имя нового стиля:", "&На основе:", "&Размеры:", "ОК", "Отмена",
                                    "Спра&вка"};

#define DDS_NEW_STYLE_CONTROLS(T)                                                                            \
  {                                                                                                          \
    {kIdcNewNameLabel, ControlKind::kLabel, T.name, {7, 7, 150, 8}, 0},                                      \
    {kIdcNewName, ControlKind::kEdit, "", {7, 17, 150, 14}, ui::kStyleTabStop},                              \
    {kIdcNewSourceLabel, ControlKind::kLabel, T.source, {7, 36, 150, 8}, 0},                                 \
    {kIdcNewSource, ControlKind::kDropDown, "", {7, 46, 150, 14}, ui::kStyleSorted | ui::kStyleTabStop},     \
    {kIdcNewUseForLabel, ControlKind::kLabel, T.useFor, {7, 65, 150, 8}, 0},                                 \
    {kIdcNewUseFor, ControlKind::kDropDown, "", {7, 75, 150, 14}, ui::kStyleTabStop},                        \
    {kIdcOk, ControlKind::kButton, T.ok, {168, 17, 54, 14}, ui::kStyleDefault | ui::kStyleTabStop},          \
    {kIdcCancel, ControlKind::kButton, T.cancel, {168, 35, 54, 14}, ui::kStyleTabStop},                      \
    {kIdcHelp, ControlKind::kButton, T.help, {168, 53, 54, 14}, ui::kStyleTabStop},                          \
  }

const ControlTemplate kNewStyleControlsEn[] = DDS_NEW_STYLE_CONTROLS(kNewStyleEn);
const ControlTemplate kNewStyleControlsRu[] = DDS_NEW_STYLE_CONTROLS(kNewStyleRu);
#undef DDS_NEW_STYLE_CONTROLS

struct ImportTexts {
  const char* styles;
  const char* markAll;
  const char* clearMarks;
  const char* overwrite;
  const char* import;
  const char* cancel;
};

constexpr ImportTexts kImportEn{"&Styles of the drawing:", "Mark &all", "C&lear marks",
                                "&Overwrite styles this drawing has", "&Import", "Cancel"};
constexpr ImportTexts kImportRu{"&Стили чертежа:", "Отметить &все", "Снять &отметки",
                                "&Заменять стили, которые есть в этом чертеже", "&Импорт", "Отмена"};

#define DDS_IMPORT_CONTROLS(T)                                                                               \
  {                                                                                                          \
    {kIdcImportSourceLabel, ControlKind::kLabel, T.styles, {7, 7, 226, 8}, 0},                               \
    {kIdcImportStyles, ControlKind::kListView, "", {7, 18, 226, 110},                                        \
     ui::kStyleSingleSel | ui::kStyleNoSortHeader | ui::kStyleTabStop},                                      \
    {kIdcImportMarkAll, ControlKind::kButton, T.markAll, {7, 132, 74, 14}, ui::kStyleTabStop},               \
    {kIdcImportClearMarks, ControlKind::kButton, T.clearMarks, {85, 132, 74, 14}, ui::kStyleTabStop},        \
    {kIdcImportOverwrite, ControlKind::kCheckBox, T.overwrite, {7, 152, 226, 10},                            \
     ui::kStyleAutoCheck | ui::kStyleTabStop},                                                               \
    {kIdcOk, ControlKind::kButton, T.import, {129, 168, 50, 14}, ui::kStyleDefault | ui::kStyleTabStop},     \
    {kIdcCancel, ControlKind::kButton, T.cancel, {183, 168, 50, 14}, ui::kStyleTabStop},                     \
  }

const ControlTemplate kImportControlsEn[] = DDS_IMPORT_CONTROLS(kImportEn);
const ControlTemplate kImportControlsRu[] = DDS_IMPORT_CONTROLS(kImportRu);
#undef DDS_IMPORT_CONTROLS

const ui::DialogResource kTemplates[] = {
    {kDlgStyleManager, HostLanguage::kEnglish, "Dimension Style Manager", 351, 191, false, kManagerControlsEn,
     std::size(kManagerControlsEn)},
    {kDlgStyleManager, HostLanguage::kRussian, "Диспетчер размерных стилей", 351, 191, false, kManagerControlsRu,
     std::size(kManagerControlsRu)},
    {kDlgNewStyle, HostLanguage::kEnglish, "Creating style", 229, 100, false, kNewStyleControlsEn,
     std::size(kNewStyleControlsEn)},
    {kDlgNewStyle, HostLanguage::kRussian, "Создание стиля", 229, 100, false, kNewStyleControlsRu,
     std::size(kNewStyleControlsRu)},
    {kDlgCompare, HostLanguage::kEnglish, "Compare Dimension Styles", 337, 231, false, kCompareControlsEn,
     std::size(kCompareControlsEn)},
    {kDlgCompare, HostLanguage::kRussian, "Сравнение размерных стилей", 337, 231, false, kCompareControlsRu,
     std::size(kCompareControlsRu)},
    {kDlgImportStyles, HostLanguage::kEnglish, "Import Dimension Styles", 240, 189, false, kImportControlsEn,
     std::size(kImportControlsEn)},
    {kDlgImportStyles, HostLanguage::kRussian, "Импорт размерных стилей", 240, 189, false, kImportControlsRu,
     std::size(kImportControlsRu)},
};

}  // namespace

// The style editor and each of its pages keep their templates in files of
// their own.
const ui::DialogResourceTable& dialogTemplates() {
  static const std::vector<ui::DialogResource> all = [] {
    std::vector<ui::DialogResource> v(std::begin(kTemplates), std::end(kTemplates));
    for (std::span<const ui::DialogResource> part : {styleEditorTemplates(), linesPageTemplates(), symbolsPageTemplates(),
                                                      textPageTemplates(), fitPageTemplates(),
                                                      primaryPageTemplates(), alternatePageTemplates(),
                                                      tolerancePageTemplates()})
      v.insert(v.end(), part.begin(), part.end());
    return v;
  }();
  static const ui::DialogResourceTable table{all.data(), all.size()};
  return table;
}

}  // namespace dds::res
