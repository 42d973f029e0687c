// A dialog in a session of the host's command line: the script's lines (or
// the terminal's) play its user.
#include "console.h"
#include "dialog.h"
#include "dialog_script.h"
#include "documents.h"
#include "editor_input.h"
#include "headless_backend.h"
#include "host_entry.h"

namespace ui {

bool driveFromHostConsole(Dialog& dialog) {
  HostApDocManager* docs = hostDocManager();
  if (!docs) return false;
  HostConsole& console = docs->editorInput().console();
  const ScriptPrinter print = [&console](const std::string& line) { console.print(line); };
  // The user sees the dialog as it opens, as a window would show it.
  runDialogScriptLine(dialog, "dump", print);
  while (!dialog.ended()) {
    HostAnswer answer = console.ask("Dialog:");
    if (answer.kind == HostAnswer::kEndOfInput) break;
    if (answer.kind == HostAnswer::kCancel) {
      runDialogScriptLine(dialog, "key Escape", print);
      continue;
    }
    const ScriptLineResult r = runDialogScriptLine(dialog, answer.text, print);
    if (!r.ok) console.print("*Invalid* " + r.error);
  }
  return true;
}

}  // namespace ui
