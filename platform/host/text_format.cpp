#include "text_format.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace {

OdString formatList(const char* format, va_list args) {
  va_list again;
  va_copy(again, args);
  char small[256];
  const int needed = std::vsnprintf(small, sizeof small, format, args);
  OdString out;
  if (needed < 0) {
    va_end(again);
    return OdString(format);  // a broken format shows as written, never garbage
  }
  if (static_cast<std::size_t>(needed) < sizeof small) {
    out.assign(small, static_cast<std::size_t>(needed));
  } else {
    std::vector<char> big(static_cast<std::size_t>(needed) + 1);
    std::vsnprintf(big.data(), big.size(), format, again);
    out.assign(big.data(), static_cast<std::size_t>(needed));
  }
  va_end(again);
  return out;
}

}  // namespace

OdString hostFormat(const char* format, ...) {
  va_list args;
  va_start(args, format);
  OdString out = formatList(format, args);
  va_end(args);
  return out;
}

std::string hostEscapeControls(std::string_view text, bool keepLineBreaks) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\t' || (c == '\n' && keepLineBreaks) || (c >= 0x20 && c != 0x7F && c != 0xC2)) {
      out += char(c);
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == 0xC2) {
      // U+0080..U+009F, the C1 controls (0x9B starts an escape sequence
      // on many terminals), are C2 80..C2 9F in UTF-8.
      const unsigned char next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
      if (next >= 0x80 && next <= 0x9F) {
        out += "\\u00";
        out += kHex[next >> 4];
        out += kHex[next & 15];
        ++i;
      } else {
        out += char(c);
      }
    } else {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}
