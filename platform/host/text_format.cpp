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
