#include "keyword_list.h"

#include "OdStringUtil.h"

namespace {

bool isCapital(char32_t cp) { return qrv::foldCodePoint(cp) != cp; }

bool startsWith(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && s.substr(0, prefix.size()) == prefix;
}

std::optional<int> findIn(const std::vector<std::string>& keywords, std::string_view typed) {
  for (std::size_t i = 0; i < keywords.size(); ++i)
    if (keywordAccepts(keywords[i], typed)) return static_cast<int>(i);
  return std::nullopt;
}

}  // namespace

bool keywordAccepts(std::string_view keyword, std::string_view typed) {
  if (typed.empty() || keyword.empty()) return false;
  std::string capitals;
  std::size_t lastCapital = 0;  // in characters, one past the last capital
  std::size_t count = 0;
  for (std::size_t i = 0; i < keyword.size();) {
    const char32_t cp = qrv::decodeUtf8(keyword, i);
    ++count;
    if (isCapital(cp)) {
      qrv::appendUtf8(capitals, cp);
      lastCapital = count;
    }
  }
  const std::string typedFolded = qrv::foldCase(typed);
  const std::string keywordFolded = qrv::foldCase(keyword);
  if (capitals.empty()) return typedFolded == keywordFolded;
  if (startsWith(keywordFolded, typedFolded) && qrv::codePointCount(typed) >= lastCapital)
    return true;
  return typedFolded == qrv::foldCase(capitals);
}

HostKeywordList::HostKeywordList(std::string_view list) {
  std::size_t i = 0;
  while (i < list.size()) {
    while (i < list.size() && list[i] == ' ') ++i;
    const std::size_t start = i;
    while (i < list.size() && list[i] != ' ') ++i;
    std::string_view word = list.substr(start, i - start);
    if (word.empty()) continue;
    if (word.front() == '*') {
      if (word.size() > 1) m_global.emplace_back(word.substr(1));
    } else if (m_global.empty()) {
      m_local.emplace_back(word);
    } else {
      // A local spelling after the global ones is taken as global too, so
      // that the numbering the caller expects does not shift.
      m_global.emplace_back(word);
    }
  }
}

std::string HostKeywordList::displayText() const {
  std::string out;
  for (const std::string& k : m_local) {
    if (!out.empty()) out += '/';
    out += k;
  }
  return out;
}

std::optional<int> HostKeywordList::match(std::string_view typed) const {
  if (!typed.empty() && typed.front() == '_' && typed.size() > 1) {
    typed.remove_prefix(1);
    if (m_global.empty()) return findIn(m_local, typed);
    if (auto g = findIn(m_global, typed)) return static_cast<int>(m_local.size()) + *g;
    return std::nullopt;
  }
  if (auto l = findIn(m_local, typed)) return l;
  if (auto g = findIn(m_global, typed)) return static_cast<int>(m_local.size()) + *g;
  return std::nullopt;
}

std::string fillPromptKeywords(std::string_view prompt, const HostKeywordList& keywords) {
  // A prompt without keywords is shown exactly as given: it may already
  // hold user text (a style name) in which "%" means nothing.
  if (keywords.empty()) return std::string(prompt);
  std::string out;
  bool filled = false;
  for (std::size_t i = 0; i < prompt.size(); ++i) {
    if (prompt[i] == '%' && i + 1 < prompt.size()) {
      if (prompt[i + 1] == '%') {
        out += '%';
        ++i;
        continue;
      }
      if (prompt[i + 1] == 's' && !filled) {
        out += keywords.displayText();
        filled = true;
        ++i;
        continue;
      }
    }
    out += prompt[i];
  }
  return out;
}
