#pragma once
// Keyword lists of prompts. A list is a line of local keywords (shown in the
// prompt, possibly translated), optionally followed by global keywords, each
// with a leading "*" (the language-independent spellings that scripts use):
//   "Yes No *Yes *No"
// The capital letters of a keyword are its shortest accepted abbreviation:
// "ANnotative" accepts "an", "ann", ... "annotative" in any letter case; a
// keyword whose capitals are not at its start ("eXit") also accepts the
// capitals alone ("x"). A keyword without capitals must be typed in full.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

bool keywordAccepts(std::string_view keyword, std::string_view typed);

class HostKeywordList {
public:
  HostKeywordList() = default;
  explicit HostKeywordList(std::string_view list);

  const std::vector<std::string>& local() const { return m_local; }
  const std::vector<std::string>& global() const { return m_global; }
  bool empty() const { return m_local.empty() && m_global.empty(); }

  // The local keywords joined with "/", for the "[...]" part of a prompt.
  std::string displayText() const;

  // The keyword the typed text stands for: 0 .. L-1 for the local keywords
  // (L of them), L .. L+G-1 for the global ones; nothing when none accepts
  // it. Local keywords are tried first, in list order. A leading "_" asks
  // for a global keyword only (the local ones when the list has none).
  std::optional<int> match(std::string_view typed) const;

private:
  std::vector<std::string> m_local, m_global;
};

// The prompt with its first "%s" replaced by the keywords' display text
// ("%%" stands for "%"); a prompt for an empty list is left as it is.
std::string fillPromptKeywords(std::string_view prompt, const HostKeywordList& keywords);
