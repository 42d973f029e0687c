#pragma once
// The dialog script: one line at a time plays the user of an open dialog.
// Scripts of the host use it while a dialog runs, and whole-dialog tests
// are written in it. The vocabulary is in docs/window-layer.md.
#include <functional>
#include <string>

#include "ui_types.h"

namespace ui {

class Dialog;

struct ScriptLineResult {
  bool ok = true;
  std::string error;  // why the line could not be carried out
};

using ScriptPrinter = std::function<void(const std::string& line)>;

// Runs one line against the dialog (or a page of it, for a control that
// lives on a page). Output of `dump` and `clipboard` goes to `print`.
// Posted messages are delivered after the line, as a message loop would.
ScriptLineResult runDialogScriptLine(Dialog& dialog, const std::string& line, const ScriptPrinter& print);

// Every control in template order with its id, kind, state, text, check,
// selection, and for lists every row and column; pages follow their
// dialog. One line per entry.
std::string dumpDialog(const Dialog& dialog);

// A text as the dump shows it: in double quotes, with \", \\, \t, \r, \n.
std::string dumpQuoted(const std::string& text);
// An edit's chosen colours as the dump shows them: "colors=#F00000/#FFFFFF"
// (text, then background).
std::string dumpTextColors(const TextColors& colors);

}  // namespace ui
