#include "OdStringUtil.h"

namespace qrv {

char32_t decodeUtf8(std::string_view s, std::size_t& i) {
  const unsigned char c = static_cast<unsigned char>(s[i]);
  auto cont = [&](std::size_t k) {
    return i + k < s.size() && (static_cast<unsigned char>(s[i + k]) & 0xC0) == 0x80;
  };
  if (c < 0x80) {
    ++i;
    return c;
  }
  if ((c & 0xE0) == 0xC0 && c >= 0xC2 && cont(1)) {
    char32_t cp = ((c & 0x1F) << 6) | (s[i + 1] & 0x3F);
    i += 2;
    return cp;
  }
  if ((c & 0xF0) == 0xE0 && cont(1) && cont(2)) {
    char32_t cp = ((c & 0x0F) << 12) | ((s[i + 1] & 0x3F) << 6) | (s[i + 2] & 0x3F);
    if (cp >= 0x800) {
      i += 3;
      return cp;
    }
  }
  if ((c & 0xF8) == 0xF0 && cont(1) && cont(2) && cont(3)) {
    char32_t cp = ((c & 0x07) << 18) | ((s[i + 1] & 0x3F) << 12) | ((s[i + 2] & 0x3F) << 6) |
                  (s[i + 3] & 0x3F);
    if (cp >= 0x10000 && cp <= 0x10FFFF) {
      i += 4;
      return cp;
    }
  }
  ++i;
  return c;  // a stray byte stands for itself
}

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xF0 | (cp >> 18));
    out += char(0x80 | ((cp >> 12) & 0x3F));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

char32_t foldCodePoint(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c < 0xC0) return c;
  if ((c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 32;            // Latin-1
  if (c >= 0x100 && c <= 0x17F) {                                       // Latin Extended-A
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c % 2 == 1) ? c + 1 : c;
    if (c == 0x178) return 0xFF;
    if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
    return (c % 2 == 0) ? c + 1 : c;
  }
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 32;           // Greek
  if (c >= 0x410 && c <= 0x42F) return c + 32;                          // Cyrillic А..Я
  if (c >= 0x400 && c <= 0x40F) return c + 80;                          // Ѐ..Џ
  if (c >= 0x460 && c <= 0x4FF && c % 2 == 0 && !(c >= 0x482 && c <= 0x489)) {
    if (c == 0x4C0) return 0x4CF;
    if (c >= 0x4C1 && c <= 0x4CE) return c;
    return c + 1;
  }
  if (c >= 0x4C1 && c <= 0x4CD && c % 2 == 1) return c + 1;
  return c;
}

char32_t upperCodePoint(char32_t c) {
  if (c >= 'a' && c <= 'z') return c - 32;
  if (c < 0xE0) return c;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
  if (c == 0xFF) return 0x178;
  if (c >= 0x100 && c <= 0x17F) {
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c % 2 == 0) ? c - 1 : c;
    if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
    return (c % 2 == 1) ? c - 1 : c;
  }
  if (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) return c - 32;
  if (c >= 0x430 && c <= 0x44F) return c - 32;
  if (c >= 0x450 && c <= 0x45F) return c - 80;
  if (c >= 0x461 && c <= 0x4FF && c % 2 == 1 && !(c >= 0x482 && c <= 0x489) &&
      !(c >= 0x4C1 && c <= 0x4CF))
    return c - 1;
  if (c >= 0x4C2 && c <= 0x4CE && c % 2 == 0) return c - 1;
  if (c == 0x4CF) return 0x4C0;
  return c;
}

namespace {
template <class F>
std::string mapCodePoints(std::string_view s, F f) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t start = i;
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      out += char(f(c));
      ++i;
      continue;
    }
    char32_t cp = decodeUtf8(s, i);
    if (i - start == 1) {
      out += s[start];  // keep malformed bytes exactly as they were
      continue;
    }
    appendUtf8(out, f(cp));
  }
  return out;
}
}  // namespace

std::string foldCase(std::string_view s) { return mapCodePoints(s, foldCodePoint); }
std::string toUpper(std::string_view s) { return mapCodePoints(s, upperCodePoint); }

bool equalNoCase(std::string_view a, std::string_view b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    const unsigned char ca = static_cast<unsigned char>(a[i]), cb = static_cast<unsigned char>(b[j]);
    if (ca < 0x80 && cb < 0x80) {
      if (foldCodePoint(ca) != foldCodePoint(cb)) return false;
      ++i, ++j;
      continue;
    }
    if (foldCodePoint(decodeUtf8(a, i)) != foldCodePoint(decodeUtf8(b, j))) return false;
  }
  return i == a.size() && j == b.size();
}

std::size_t codePointCount(std::string_view s) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < s.size(); ++n) decodeUtf8(s, i);
  return n;
}

}  // namespace qrv
