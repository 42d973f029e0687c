#pragma once
// The per-entity part of dimension variables: only the values in which a
// dimension or leader differs from its style, sorted by variable index.
#include <vector>

#include "OdDbDimVars.h"

class OdDbDimOverrides {
public:
  using Item = std::pair<OdUInt8, OdDbDimVarValue>;

  const OdDbDimVarValue* find(int index) const;
  void set(int index, const OdDbDimVarValue& value);
  bool remove(int index);
  bool empty() const { return m_items.empty(); }
  void clear() { m_items.clear(); }
  const std::vector<Item>& items() const { return m_items; }

  void applyTo(OdDbDimVars& vars) const;
  // The overrides that turn `base` into `wanted`.
  static OdDbDimOverrides difference(const OdDbDimVars& wanted, const OdDbDimVars& base);

  template <class F>
  void forEachObjectId(F&& f) const {
    for (const auto& it : m_items)
      if (auto id = std::get_if<OdDbObjectId>(&it.second)) f(*id);
  }

  bool operator==(const OdDbDimOverrides&) const = default;

private:
  std::vector<Item> m_items;
};
