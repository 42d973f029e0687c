#include "style_editor_template.h"

#include <iterator>

#include "dialog_templates.h"

namespace dds::res {
namespace {

using ui::ControlKind;

struct EditorTexts {
  const char* ok;
  const char* cancel;
  const char* help;
};

constexpr EditorTexts kEditorEn{"OK", "Cancel", "&Help"};
constexpr EditorTexts kEditorRu{"ОК", "Отмена", "Спра&вка"};

// The preview frame comes after the tab control, so that it is painted over
// the pages, whose controls leave its place free.
#define DDS_EDITOR_CONTROLS(T)                                                                          \
  {                                                                                                     \
    {kIdcEditorTabs, ControlKind::kTab, "", {7, 7, 367, 236}, ui::kStyleTabStop},                       \
    {kIdcEditorPreview, ControlKind::kFrame, "", {217, 26, 150, 109}, 0},                               \
    {kIdcOk, ControlKind::kButton, T.ok, {216, 274, 50, 14}, ui::kStyleDefault | ui::kStyleTabStop},    \
    {kIdcCancel, ControlKind::kButton, T.cancel, {270, 274, 50, 14}, ui::kStyleTabStop},                \
    {kIdcHelp, ControlKind::kButton, T.help, {324, 274, 50, 14}, ui::kStyleTabStop},                    \
  }

const ui::ControlTemplate kEditorControlsEn[] = DDS_EDITOR_CONTROLS(kEditorEn);
const ui::ControlTemplate kEditorControlsRu[] = DDS_EDITOR_CONTROLS(kEditorRu);
#undef DDS_EDITOR_CONTROLS

const ui::DialogResource kEditorTemplates[] = {
    {kDlgStyleEditor, HostLanguage::kEnglish, "Modify dimension style", 381, 295, false, kEditorControlsEn,
     std::size(kEditorControlsEn)},
    {kDlgStyleEditor, HostLanguage::kRussian, "Изменение размерного стиля", 381, 295, false, kEditorControlsRu,
     std::size(kEditorControlsRu)},
};

}  // namespace

std::span<const ui::DialogResource> styleEditorTemplates() { return kEditorTemplates; }

}  // namespace dds::res
