#include "opm_interfaces.h"

#include <cstdio>
#include <cstring>
#include <tuple>

bool PZGuid::operator==(const PZGuid& other) const {
  return data1 == other.data1 && data2 == other.data2 && data3 == other.data3 &&
         std::memcmp(data4, other.data4, sizeof data4) == 0;
}

bool PZGuid::operator<(const PZGuid& other) const {
  if (std::tie(data1, data2, data3) != std::tie(other.data1, other.data2, other.data3))
    return std::tie(data1, data2, data3) < std::tie(other.data1, other.data2, other.data3);
  return std::memcmp(data4, other.data4, sizeof data4) < 0;
}

OdString pzGuidText(const PZGuid& g) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.data1,
                g.data2, g.data3, g.data4[0], g.data4[1], g.data4[2], g.data4[3], g.data4[4],
                g.data4[5], g.data4[6], g.data4[7]);
  return buf;
}
