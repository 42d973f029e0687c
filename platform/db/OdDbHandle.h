#pragma once
// A handle: the persistent, drawing-unique number of an object, written in
// hexadecimal in files.
#include <cstdint>
#include <optional>
#include <string_view>

#include "OdString.h"

class OdDbHandle {
public:
  constexpr OdDbHandle() = default;
  constexpr OdDbHandle(std::uint64_t v) : m_value(v) {}
  constexpr std::uint64_t value() const { return m_value; }
  constexpr bool isNull() const { return m_value == 0; }
  OdString ascii() const;  // upper-case hex without leading zeros, "0" for null
  static std::optional<OdDbHandle> fromAscii(std::string_view hex);
  constexpr auto operator<=>(const OdDbHandle&) const = default;

private:
  std::uint64_t m_value = 0;
};
