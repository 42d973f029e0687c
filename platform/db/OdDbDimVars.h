#pragma once
// The values of the 78 dimension variables as one plain structure: what a
// dimension style record holds and what the drawing header holds as the
// current values. Generic access by index serves per-entity overrides, the
// file layer and system variable access by name.
#include <array>
#include <optional>
#include <string_view>
#include <variant>

#include "OdCmColor.h"
#include "OdDbDimVarList.h"
#include "OdDbObjectId.h"

// One variable's value; integers of every width and lineweights travel as
// int and are narrowed to the stored type when set.
using OdDbDimVarValue = std::variant<int, double, bool, OdString, OdCmColor, OdDbObjectId>;

enum class OdDbDimVarType { kInt16, kUInt16, kUInt8, kDouble, kBool, kString, kColor, kObjectId, kLineWeight };

struct OdDbDimVarDesc {
  const char* key;        // "asz"
  const char* name;       // "DIMASZ"
  OdDbDimVarType type;
  int dxfCode;            // DIMSTYLE table group code, 0 for none
};

struct OdDbDimVars {
#define ODDB_DIMVAR_FIELD(key, Type, code) Type key{};
  ODDB_DIMVARS(ODDB_DIMVAR_FIELD)
#undef ODDB_DIMVAR_FIELD

  static constexpr int kCount = 78;

  // Defaults of a new drawing: imperial (inches) or metric (millimetres).
  static OdDbDimVars imperialDefaults();
  static OdDbDimVars metricDefaults();

  static const OdDbDimVarDesc& describe(int index);
  // Index of a variable by key ("asz") or name ("DIMASZ"), any letter case.
  static std::optional<int> indexOf(std::string_view keyOrName);

  OdDbDimVarValue get(int index) const;
  // Narrows the value to the stored type; a value of the wrong kind throws
  // OdError(eInvalidInput).
  void set(int index, const OdDbDimVarValue& value);
  // Exact comparison as stored: doubles without tolerance (NaN differs from
  // everything), strings by code unit, colours by method and value.
  bool equal(int index, const OdDbDimVars& other) const;

  template <class F>
  void forEachObjectId(F&& f) const {
#define ODDB_DIMVAR_IDS(key, Type, code) visitIfId(key, f);
    ODDB_DIMVARS(ODDB_DIMVAR_IDS)
#undef ODDB_DIMVAR_IDS
  }

private:
  template <class V, class F>
  static void visitIfId(const V& v, F& f) {
    if constexpr (std::is_same_v<V, OdDbObjectId>) f(v);
  }
};

// Narrowing helpers for value variants (used by overrides and sysvars).
bool odDimVarValueEqual(const OdDbDimVarValue& a, const OdDbDimVarValue& b);
