#pragma once
// Dialog templates: a module keeps one per dialog and language, with the
// same ids and layout in every language and translated texts. Sizes are in
// dialog units; a backend turns them into pixels from the dialog font.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "translation.h"
#include "ui_types.h"

namespace ui {

struct ControlTemplate {
  int id = 0;
  ControlKind kind = ControlKind::kLabel;
  const char* text = "";  // UTF-8; "&" marks the mnemonic letter
  Rect rect;              // dialog units
  unsigned style = 0;
};

// One template as a module stores it.
struct DialogResource {
  int id = 0;
  HostLanguage language = HostLanguage::kEnglish;
  const char* caption = "";  // empty for child dialogs (tab pages)
  int cx = 0, cy = 0;        // dialog units
  bool child = false;        // a page placed inside another dialog
  const ControlTemplate* controls = nullptr;
  std::size_t controlCount = 0;
};

// Every template of a module, in any order.
struct DialogResourceTable {
  const DialogResource* items = nullptr;
  std::size_t count = 0;
};

// A loaded template, ready to become a dialog.
struct DialogTemplate {
  int id = 0;
  HostLanguage language = HostLanguage::kEnglish;
  std::string caption;
  int cx = 0, cy = 0;
  bool child = false;
  std::vector<ControlTemplate> controls;
};

// The template in the given language; English when that language has none;
// nothing when the id is unknown.
std::optional<DialogTemplate> loadDialogTemplate(const DialogResourceTable& table, int id,
                                                 HostLanguage language);
// The same in the session's language.
std::optional<DialogTemplate> loadDialogTemplate(const DialogResourceTable& table, int id);

// Dialog units to pixels: a horizontal unit is a quarter of the dialog
// font's average character width, a vertical unit an eighth of its height.
struct DialogUnits {
  int baseX = 6;   // average character width in pixels
  int baseY = 13;  // character height in pixels
  int x(int du) const { return (du * baseX + 2) / 4; }
  int y(int du) const { return (du * baseY + 4) / 8; }
  Rect toPixels(const Rect& r) const;
};

}  // namespace ui
