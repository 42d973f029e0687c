#pragma once
// DXF text from group code / value pairs, one a line each: for tests that
// write small drawings of their own.
#include <initializer_list>
#include <sstream>
#include <string>
#include <utility>

inline std::string records(std::initializer_list<std::pair<int, const char*>> tags) {
  std::ostringstream out;
  for (const auto& [code, value] : tags) out << code << "\n" << value << "\n";
  return out.str();
}
