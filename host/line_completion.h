#pragma once
// Tab completion at the terminal's command line: what the word before the
// cursor may become. Kept apart from the line editor so it can be checked
// without a terminal.
#include <string>
#include <vector>

namespace qrvhost {

struct CompletionWords {
  std::vector<std::string> commands;   // every command name a user may type
  std::vector<std::string> variables;  // system variable names
};

// The option keywords a prompt offers in its brackets
// ("Specify ... or [Text/Angle]:" gives Text and Angle); none without brackets.
std::vector<std::string> promptKeywords(const std::string& prompt);

// The candidates for the last word of `typed` (the line up to the cursor),
// in order, without repeats, letter case ignored when matching. The first
// word at the Command prompt is a command or a variable; at any other
// prompt a word is one of the prompt's keywords or a variable name.
std::vector<std::string> completionCandidates(const std::string& typed, const std::string& prompt,
                                              bool atCommandPrompt, const CompletionWords& words);

// What all candidates begin with, letter case ignored (spelled as the
// first candidate); whole characters only.
std::string commonPrefix(const std::vector<std::string>& candidates);

}  // namespace qrvhost
