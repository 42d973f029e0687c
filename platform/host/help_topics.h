#pragma once
// Help topics: one UTF-8 text file per topic key in the help folder
// (QRV_HELP_DIMSTYLE_DLG.txt ...). A Russian session prefers
// KEY.ru.txt when the folder has one.
#include <optional>
#include <string>
#include <vector>

class HostHelpTopics {
public:
  void setFolder(std::string folder) { m_folder = std::move(folder); }
  const std::string& folder() const { return m_folder; }

  // The text of a topic; nothing for an unknown key or a key that is not a
  // plain name (a key never reaches outside the help folder).
  std::optional<std::string> text(const std::string& key) const;
  // Every topic key the folder has, sorted.
  std::vector<std::string> keys() const;

private:
  std::string m_folder;
};
