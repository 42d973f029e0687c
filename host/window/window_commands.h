#pragma once
// Every command the main window offers, in one table: its label, tooltip,
// what it types at the command line (or that the window runs it itself),
// its shortcut, whether it is a toggle, and its icon. The window makes one
// action of each entry and shares it between menus, toolbars and the
// status bar, so that all of them say and do the same.
#include <string_view>
#include <vector>

namespace qrvwindow {

struct WindowCommand {
  const char* id;      // the action's name ("dimlinear"), and its icon's file name
  const char* label[2];  // English and Russian menu texts, "&" before the mnemonic
  const char* tip[2];    // the tooltip in both languages
  // The lines typed at the command line, "\n" between them; null when the
  // window runs the command itself (a dialog first, a view mode).
  const char* typed;
  const char* keys;    // portable shortcut text ("Ctrl+S", "F3"); null for none
  bool checkable;
  bool icon;           // icons/<id>.svg
};

const std::vector<WindowCommand>& windowCommands();
const WindowCommand* findWindowCommand(std::string_view id);

// The menus and toolbars: command ids in order, "|" for a separator.
struct WindowMenu {
  const char* label[2];
  std::vector<const char*> ids;
};
const std::vector<WindowMenu>& windowMenus();
struct WindowToolBar {
  const char* name;  // object name, kept with the window's layout
  const char* label[2];
  std::vector<const char*> ids;
  bool leftEdge = false;  // upright along the view's left edge, not above it
};
const std::vector<WindowToolBar>& windowToolBars();
// The status bar's toggles, left to right, with their short names.
struct WindowStatusToggle {
  const char* id;
  const char* label[2];
};
const std::vector<WindowStatusToggle>& windowStatusToggles();

}  // namespace qrvwindow
