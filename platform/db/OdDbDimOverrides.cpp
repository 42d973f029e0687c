#include "OdDbDimOverrides.h"

#include <algorithm>

namespace {
auto lowerBound(std::vector<OdDbDimOverrides::Item>& v, int index) {
  return std::lower_bound(v.begin(), v.end(), index,
                          [](const OdDbDimOverrides::Item& it, int i) { return it.first < i; });
}
}  // namespace

const OdDbDimVarValue* OdDbDimOverrides::find(int index) const {
  auto it = lowerBound(const_cast<std::vector<Item>&>(m_items), index);
  return (it != m_items.end() && it->first == index) ? &it->second : nullptr;
}

void OdDbDimOverrides::set(int index, const OdDbDimVarValue& value) {
  // Normalise the value to the stored type first (and refuse wrong kinds).
  OdDbDimVars probe;
  probe.set(index, value);
  OdDbDimVarValue stored = probe.get(index);
  auto it = lowerBound(m_items, index);
  if (it != m_items.end() && it->first == index)
    it->second = std::move(stored);
  else
    m_items.emplace(it, OdUInt8(index), std::move(stored));
}

bool OdDbDimOverrides::remove(int index) {
  auto it = lowerBound(m_items, index);
  if (it == m_items.end() || it->first != index) return false;
  m_items.erase(it);
  return true;
}

void OdDbDimOverrides::applyTo(OdDbDimVars& vars) const {
  for (const auto& [index, value] : m_items) vars.set(index, value);
}

OdDbDimOverrides OdDbDimOverrides::difference(const OdDbDimVars& wanted, const OdDbDimVars& base) {
  OdDbDimOverrides out;
  for (int i = 0; i < OdDbDimVars::kCount; ++i)
    if (!wanted.equal(i, base)) out.m_items.emplace_back(OdUInt8(i), wanted.get(i));
  return out;
}
