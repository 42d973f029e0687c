#include "line_completion.h"

#include <algorithm>
#include <cctype>

namespace qrvhost {

namespace {

char lower(char c) { return char(std::tolower(static_cast<unsigned char>(c))); }

bool startsWithNoCase(const std::string& text, const std::string& prefix) {
  if (prefix.size() > text.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (lower(text[i]) != lower(prefix[i])) return false;
  return true;
}

bool equalNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && startsWithNoCase(a, b);
}

}  // namespace

std::vector<std::string> promptKeywords(const std::string& prompt) {
  std::vector<std::string> keywords;
  const std::size_t open = prompt.rfind('[');
  if (open == std::string::npos) return keywords;
  const std::size_t close = prompt.find(']', open);
  if (close == std::string::npos) return keywords;
  const std::string list = prompt.substr(open + 1, close - open - 1);
  std::size_t start = 0;
  for (;;) {
    const std::size_t slash = list.find('/', start);
    std::string word = list.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
    if (!word.empty() && word.find(' ') == std::string::npos) keywords.push_back(word);
    if (slash == std::string::npos) break;
    start = slash + 1;
  }
  return keywords;
}

std::vector<std::string> completionCandidates(const std::string& typed, const std::string& prompt,
                                              bool atCommandPrompt, const CompletionWords& words) {
  const std::size_t blank = typed.find_last_of(' ');
  const std::string word = blank == std::string::npos ? typed : typed.substr(blank + 1);
  const bool firstWord = blank == std::string::npos || typed.find_first_not_of(' ') > blank;
  std::vector<std::string> out;
  auto offer = [&](const std::vector<std::string>& pool) {
    for (const std::string& candidate : pool) {
      if (!startsWithNoCase(candidate, word)) continue;
      const bool seen = std::any_of(out.begin(), out.end(), [&](const std::string& o) { return equalNoCase(o, candidate); });
      if (!seen) out.push_back(candidate);
    }
  };
  if (atCommandPrompt && firstWord) {
    offer(words.commands);
  } else {
    // The answers a command name takes on the same line are its prompts'
    // answers, whose keywords are not known here: variable names then.
    if (!atCommandPrompt) offer(promptKeywords(prompt));
  }
  offer(words.variables);
  return out;
}

std::string commonPrefix(const std::vector<std::string>& candidates) {
  if (candidates.empty()) return {};
  std::string prefix = candidates.front();
  for (const std::string& c : candidates) {
    std::size_t n = 0;
    while (n < prefix.size() && n < c.size() && lower(prefix[n]) == lower(c[n])) ++n;
    // Never end inside a character of several bytes.
    while (n > 0 && n < prefix.size() && (static_cast<unsigned char>(prefix[n]) & 0xC0) == 0x80) --n;
    prefix.resize(n);
  }
  return prefix;
}

}  // namespace qrvhost
