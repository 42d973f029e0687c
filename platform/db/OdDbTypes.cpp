#include "OdDbTypes.h"

#include <algorithm>

const std::vector<OdDb::LineWeight>& OdDb::standardLineWeights() {
  static const std::vector<LineWeight> kWidths = {
      kLnWt000, kLnWt005, kLnWt009, kLnWt013, kLnWt015, kLnWt018, kLnWt020, kLnWt025,
      kLnWt030, kLnWt035, kLnWt040, kLnWt050, kLnWt053, kLnWt060, kLnWt070, kLnWt080,
      kLnWt090, kLnWt100, kLnWt106, kLnWt120, kLnWt140, kLnWt158, kLnWt200, kLnWt211};
  return kWidths;
}

bool OdDb::isValidLineWeight(int v) {
  if (v == kLnWtByLayer || v == kLnWtByBlock || v == kLnWtByLwDefault) return true;
  const std::vector<LineWeight>& widths = standardLineWeights();
  return std::any_of(widths.begin(), widths.end(), [v](LineWeight w) { return int(w) == v; });
}
