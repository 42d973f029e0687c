#pragma once
// The pages of the style editor in tab order: template, window id, tab
// text and the class that runs the page. A page whose class is not there
// yet is shown empty and loads and stores nothing.
#include <memory>
#include <span>

namespace dds {

class EditorPage;
class StyleEditorDialog;

struct EditorPageEntry {
  int templateId;
  int windowId;
  unsigned tabText;  // string id
  std::unique_ptr<EditorPage> (*make)(StyleEditorDialog& editor);
};

std::span<const EditorPageEntry> editorPageEntries();

// Tabs by position.
enum EditorTab : int {
  kTabLines = 0,
  kTabSymbols = 1,
  kTabText = 2,
  kTabFit = 3,
  kTabPrimaryUnits = 4,
  kTabAlternateUnits = 5,
  kTabTolerances = 6,
};
inline constexpr int kEditorTabCount = 7;

// The order in which the pages load: the text settings come right after
// the lines, whose lists they share the drawing's tables with.
inline constexpr int kEditorLoadOrder[] = {kTabLines, kTabText, kTabSymbols, kTabFit,
                                           kTabPrimaryUnits, kTabAlternateUnits, kTabTolerances};

// A page without controls of its own.
std::unique_ptr<EditorPage> makeEmptyPage(StyleEditorDialog& editor);

}  // namespace dds
