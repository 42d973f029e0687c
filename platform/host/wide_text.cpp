#include "wide_text.h"

#include "OdStringUtil.h"

namespace {
bool isHigh(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool isLow(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }
}  // namespace

std::u16string hostUtf8ToWide(std::string_view text) {
  std::u16string out;
  for (std::size_t i = 0; i < text.size();) {
    char32_t cp = qrv::decodeUtf8(text, i);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

std::string hostWideToUtf8(std::u16string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t u = text[i];
    if (isHigh(u) && i + 1 < text.size() && isLow(text[i + 1])) {
      qrv::appendUtf8(out, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00));
      ++i;
    } else if (isHigh(u) || isLow(u)) {
      qrv::appendUtf8(out, 0xFFFD);
    } else {
      qrv::appendUtf8(out, u);
    }
  }
  return out;
}

std::size_t hostWideLength(const QrWChar* text) {
  std::size_t n = 0;
  if (text)
    while (text[n]) ++n;
  return n;
}

void hostCopyWideBounded(QrWChar* dest, std::size_t capacity, const QrWChar* source) {
  if (!dest || capacity == 0) return;
  std::size_t n = 0;
  if (source) {
    while (n + 1 < capacity && source[n]) ++n;
    // The last unit taken opens a pair whose second half did not fit.
    if (n > 0 && isHigh(source[n - 1]) && source[n] != 0) --n;
  }
  for (std::size_t i = 0; i < n; ++i) dest[i] = source[i];
  dest[n] = 0;
}
