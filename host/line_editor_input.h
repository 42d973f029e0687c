#pragma once
// Answers typed at a terminal with line editing (libedit): cursor keys,
// the history of earlier lines (kept across sessions in the user's data
// folder), Tab completion. Ctrl-C cancels the prompt, Ctrl-D on an empty
// line ends the input, as with plain terminal input.
#include <functional>
#include <memory>
#include <string>

#include "console.h"
#include "line_completion.h"

namespace qrvhost {

struct LineEditorSetup {
  std::string historyFile;  // empty: no history kept across sessions
  // The words completion offers, asked for at each Tab (modules register
  // commands after the editor exists).
  std::function<CompletionWords()> words;
  // Tells the Command prompt from a command's prompts.
  std::function<bool(const std::string& prompt)> isCommandPrompt;
};

// The line editor on standard input when it and standard output are
// terminals and the build has libedit; null otherwise (the caller then
// reads plain lines). `why` says why there is none.
std::unique_ptr<HostInputSource> openLineEditor(LineEditorSetup setup, std::string& why);

}  // namespace qrvhost
