#include "OdDbHandle.h"

#include <charconv>

OdString OdDbHandle::ascii() const {
  char buf[20];
  auto r = std::to_chars(buf, buf + sizeof buf, m_value, 16);
  for (char* p = buf; p != r.ptr; ++p)
    if (*p >= 'a' && *p <= 'f') *p = char(*p - 'a' + 'A');
  return OdString(buf, r.ptr);
}

std::optional<OdDbHandle> OdDbHandle::fromAscii(std::string_view hex) {
  while (!hex.empty() && (hex.front() == ' ' || hex.front() == '\t')) hex.remove_prefix(1);
  while (!hex.empty() && (hex.back() == ' ' || hex.back() == '\t' || hex.back() == '\r'))
    hex.remove_suffix(1);
  if (hex.empty() || hex.size() > 16) return std::nullopt;
  std::uint64_t v = 0;
  auto r = std::from_chars(hex.data(), hex.data() + hex.size(), v, 16);
  if (r.ec != std::errc() || r.ptr != hex.data() + hex.size()) return std::nullopt;
  return OdDbHandle(v);
}
