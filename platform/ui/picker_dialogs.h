#pragma once
// Small modal dialogs of the window layer that pick one value: a text typed
// into a box, or one entry of a list. They run on whichever backend the
// session uses (a window, or a headless driver in tests).
#include <string>
#include <vector>

namespace ui {

class Dialog;

// True with `text` when the user pressed OK with a text; false on Cancel.
bool askTextDialog(Dialog* owner, const std::string& caption, const std::string& label, std::string& text);
// True with `chosen` when the user pressed OK with an entry selected.
bool chooseDialog(Dialog* owner, const std::string& caption, const std::string& label,
                  const std::vector<std::string>& entries, std::string& chosen);
// True with `path` when the user chose a file to open: the backend's file
// dialog, or a text box for the path where it has none (headless, scripts).
bool askOpenFileName(Dialog* owner, const std::string& caption, const std::string& label,
                     const std::string& filter, std::string& path);

}  // namespace ui
