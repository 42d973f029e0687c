#pragma once
// Coordinates in picture documents: three decimals, trailing zeros dropped
// to keep documents small, never an exponent (PDF has none).
#include <cmath>
#include <cstdio>
#include <string>

namespace render {

inline std::string shortNumber(double v) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "%.3f", std::fabs(v) < 5e-4 ? 0.0 : v);
  std::string s = buf;
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  return s;
}

}  // namespace render
