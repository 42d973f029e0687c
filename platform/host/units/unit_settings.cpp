#include "unit_settings.h"

#include <utility>

namespace {
std::function<UnitSettings()>& provider() {
  static std::function<UnitSettings()> installed;
  return installed;
}
}  // namespace

void setUnitSettingsProvider(std::function<UnitSettings()> newProvider) {
  provider() = std::move(newProvider);
}

UnitSettings currentUnitSettings() {
  const auto& source = provider();
  if (!source) return UnitSettings{};
  try {
    return source();
  } catch (...) {
    return UnitSettings{};
  }
}
