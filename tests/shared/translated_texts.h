#pragma once
// Checks of texts kept in both languages: the host formats either language
// with the same arguments, so a text and its translation need the same
// printf conversions, and both must be filled in and valid UTF-8.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

// The printf conversions of a text, each with its flags, width, precision and
// length modifier; "%%" is not a conversion.
inline std::vector<std::string> formatSpecifiers(const char* text) {
  std::vector<std::string> specifiers;
  for (const char* p = text; *p; ++p) {
    if (*p != '%') continue;
    if (p[1] == '%') {
      ++p;
      continue;
    }
    const char* start = p++;
    while (*p && std::strchr("-+ #0", *p)) ++p;
    while (*p && (std::isdigit(static_cast<unsigned char>(*p)) || *p == '*')) ++p;
    if (*p == '.') {
      ++p;
      while (*p && (std::isdigit(static_cast<unsigned char>(*p)) || *p == '*')) ++p;
    }
    if (std::strncmp(p, "I64", 3) == 0) p += 3;
    while (*p && std::strchr("hlLqjzt", *p)) ++p;
    if (!*p) {
      specifiers.push_back(std::string(start) + "<unterminated>");
      break;
    }
    specifiers.emplace_back(start, p + 1);
  }
  return specifiers;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
inline bool isValidUtf8(const char* text) {
  const auto* s = reinterpret_cast<const unsigned char*>(text);
  while (*s) {
    unsigned c = *s;
    int extra;
    unsigned cp;
    if (c < 0x80) {
      ++s;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      extra = 1;
      cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      extra = 2;
      cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      extra = 3;
      cp = c & 0x07;
    } else {
      return false;
    }
    ++s;
    for (int i = 0; i < extra; ++i, ++s) {
      if ((*s & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (*s & 0x3F);
    }
    static const unsigned kMin[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
      return false;
  }
  return true;
}

inline void expectSameTextInBothLanguages(const char* en, const char* ru) {
  ASSERT_TRUE(en && *en);
  ASSERT_TRUE(ru && *ru) << en;
  EXPECT_TRUE(isValidUtf8(en)) << en;
  EXPECT_TRUE(isValidUtf8(ru)) << en;
  EXPECT_EQ(formatSpecifiers(en), formatSpecifiers(ru)) << en;
}
