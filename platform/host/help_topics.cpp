#include "help_topics.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "translation.h"

namespace fs = std::filesystem;

namespace {

bool isPlainKey(const std::string& key) {
  if (key.empty() || key.size() > 100) return false;
  return std::all_of(key.begin(), key.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-';
  });
}

std::optional<std::string> readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

std::optional<std::string> HostHelpTopics::text(const std::string& key) const {
  if (!isPlainKey(key) || m_folder.empty()) return std::nullopt;
  if (hostLanguage() == HostLanguage::kRussian)
    if (auto ru = readFile(fs::path(m_folder) / (key + ".ru.txt"))) return ru;
  return readFile(fs::path(m_folder) / (key + ".txt"));
}

std::vector<std::string> HostHelpTopics::keys() const {
  std::vector<std::string> keys;
  std::error_code ec;
  if (m_folder.empty()) return keys;
  for (const auto& entry : fs::directory_iterator(m_folder, ec)) {
    const fs::path p = entry.path();
    if (p.extension() != ".txt") continue;
    const std::string stem = p.stem().string();
    if (stem.find('.') != std::string::npos || !isPlainKey(stem)) continue;  // language variants
    keys.push_back(stem);
  }
  std::sort(keys.begin(), keys.end());
  return keys;
}
