#include "DxfDimVarCodec.h"

#include <array>
#include <string_view>

std::optional<int> dxfDimVarByCode(int code) {
  static const std::array<int, 400> byCode = [] {
    std::array<int, 400> table{};
    table.fill(-1);
    for (int i = 0; i < OdDbDimVars::kCount; ++i)
      if (int c = OdDbDimVars::describe(i).dxfCode; c > 0 && c < 400) table[c] = i;
    return table;
  }();
  if (code <= 0 || code >= 400 || byCode[code] < 0) return std::nullopt;
  return byCode[code];
}

DxfVersion dxfDimVarSince(int index) {
  const std::string_view key = OdDbDimVars::describe(index).key;
  // Variables that came with R2007 (and DIMTXTDIRECTION with R2010); the
  // others are in every DIMSTYLE entry from R2000 on.
  for (std::string_view k : {"fxl", "fxlon", "jogang", "tfill", "tfillclr", "ltype", "ltex1", "ltex2"})
    if (key == k) return DxfVersion::R2007;
  if (key == "txtdirection") return DxfVersion::R2010;
  return DxfVersion::R2000;
}
