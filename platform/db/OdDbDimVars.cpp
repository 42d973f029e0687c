#include "OdDbDimVars.h"

#include <cmath>
#include <type_traits>

#include "OdResult.h"
#include "OdStringUtil.h"

namespace {

template <class T>
constexpr OdDbDimVarType typeOf() {
  if constexpr (std::is_same_v<T, OdInt16>) return OdDbDimVarType::kInt16;
  else if constexpr (std::is_same_v<T, OdUInt16>) return OdDbDimVarType::kUInt16;
  else if constexpr (std::is_same_v<T, OdUInt8>) return OdDbDimVarType::kUInt8;
  else if constexpr (std::is_same_v<T, double>) return OdDbDimVarType::kDouble;
  else if constexpr (std::is_same_v<T, bool>) return OdDbDimVarType::kBool;
  else if constexpr (std::is_same_v<T, OdString>) return OdDbDimVarType::kString;
  else if constexpr (std::is_same_v<T, OdCmColor>) return OdDbDimVarType::kColor;
  else if constexpr (std::is_same_v<T, OdDbObjectId>) return OdDbDimVarType::kObjectId;
  else return OdDbDimVarType::kLineWeight;
}

#define ODDB_DIMVAR_DESC(key, Type, code) {#key, "DIM" #key, typeOf<Type>(), code},
OdDbDimVarDesc gDescs[] = {ODDB_DIMVARS(ODDB_DIMVAR_DESC)};
#undef ODDB_DIMVAR_DESC

// Upper-case names, made once ("DIMasz" -> "DIMASZ").
struct UpperNames {
  std::array<OdString, OdDbDimVars::kCount> names;
  UpperNames() {
    for (int i = 0; i < OdDbDimVars::kCount; ++i) {
      names[i] = qrv::toUpper(gDescs[i].name);
      gDescs[i].name = names[i].c_str();
    }
  }
};
const UpperNames gUpper;

template <class T>
OdDbDimVarValue toValue(const T& v) {
  if constexpr (std::is_same_v<T, OdDb::LineWeight> || std::is_integral_v<T>) {
    if constexpr (std::is_same_v<T, bool>) return v;
    else return int(v);
  } else {
    return v;
  }
}

[[noreturn]] void wrongKind(int index) {
  throw OdError(eInvalidInput, OdString("wrong kind of value for ") + gDescs[index].name);
}

template <class T>
void fromValue(T& field, const OdDbDimVarValue& v, int index) {
  if constexpr (std::is_same_v<T, bool>) {
    if (auto b = std::get_if<bool>(&v)) field = *b;
    else if (auto i = std::get_if<int>(&v)) field = *i != 0;
    else wrongKind(index);
  } else if constexpr (std::is_same_v<T, OdDb::LineWeight>) {
    if (auto i = std::get_if<int>(&v)) field = OdDb::LineWeight(*i);
    else wrongKind(index);
  } else if constexpr (std::is_integral_v<T>) {
    if (auto i = std::get_if<int>(&v)) field = T(*i);
    else if (auto b = std::get_if<bool>(&v)) field = T(*b ? 1 : 0);
    else wrongKind(index);
  } else if constexpr (std::is_same_v<T, double>) {
    if (auto d = std::get_if<double>(&v)) field = *d;
    else if (auto i = std::get_if<int>(&v)) field = double(*i);
    else wrongKind(index);
  } else {
    if (auto p = std::get_if<T>(&v)) field = *p;
    else wrongKind(index);
  }
}

template <class T>
bool sameValue(const T& a, const T& b) {
  return a == b;  // doubles: exact; NaN != NaN as wanted
}

}  // namespace

const OdDbDimVarDesc& OdDbDimVars::describe(int index) { return gDescs[index]; }

std::optional<int> OdDbDimVars::indexOf(std::string_view keyOrName) {
  std::string folded = qrv::foldCase(keyOrName);
  std::string_view k = folded;
  if (k.size() > 3 && k.substr(0, 3) == "dim") k.remove_prefix(3);
  for (int i = 0; i < kCount; ++i)
    if (k == gDescs[i].key) return i;
  return std::nullopt;
}

OdDbDimVarValue OdDbDimVars::get(int index) const {
  int i = 0;
#define ODDB_DIMVAR_GET(key, Type, code) \
  if (i++ == index) return toValue(key);
  ODDB_DIMVARS(ODDB_DIMVAR_GET)
#undef ODDB_DIMVAR_GET
  throw OdError(eOutOfRange, "dimension variable index " + std::to_string(index));
}

void OdDbDimVars::set(int index, const OdDbDimVarValue& value) {
  int i = 0;
#define ODDB_DIMVAR_SET(key, Type, code) \
  if (i == index) return fromValue(key, value, i); \
  ++i;
  ODDB_DIMVARS(ODDB_DIMVAR_SET)
#undef ODDB_DIMVAR_SET
  throw OdError(eOutOfRange, "dimension variable index " + std::to_string(index));
}

bool OdDbDimVars::equal(int index, const OdDbDimVars& o) const {
  int i = 0;
#define ODDB_DIMVAR_EQ(key, Type, code) \
  if (i++ == index) return sameValue(key, o.key);
  ODDB_DIMVARS(ODDB_DIMVAR_EQ)
#undef ODDB_DIMVAR_EQ
  return false;
}

bool odDimVarValueEqual(const OdDbDimVarValue& a, const OdDbDimVarValue& b) { return a == b; }

OdDbDimVars OdDbDimVars::imperialDefaults() {
  OdDbDimVars v;
  v.adec = 0;
  v.alt = false;
  v.altd = 2;
  v.altf = 25.4;
  v.altrnd = 0.0;
  v.alttd = 2;
  v.alttz = 0;
  v.altu = 2;
  v.altz = 0;
  v.asz = 0.18;
  v.atfit = 3;
  v.aunit = 0;
  v.azin = 0;
  v.cen = 0.09;
  v.clrd = OdCmColor(OdCmColor::kByBlock);
  v.clre = OdCmColor(OdCmColor::kByBlock);
  v.clrt = OdCmColor(OdCmColor::kByBlock);
  v.dec = 4;
  v.dle = 0.0;
  v.dli = 0.38;
  v.dsep = '.';
  v.exe = 0.18;
  v.exo = 0.0625;
  v.frac = 0;
  v.gap = 0.09;
  v.just = 0;
  v.lfac = 1.0;
  v.lim = false;
  v.lunit = 2;
  v.lwd = OdDb::kLnWtByBlock;
  v.lwe = OdDb::kLnWtByBlock;
  v.rnd = 0.0;
  v.sah = false;
  v.scale = 1.0;
  v.tad = 0;
  v.tdec = 4;
  v.tfac = 1.0;
  v.tih = true;
  v.tix = false;
  v.tm = 0.0;
  v.tmove = 0;
  v.tofl = false;
  v.toh = true;
  v.tol = false;
  v.tolj = 1;
  v.tp = 0.0;
  v.tsz = 0.0;
  v.tvp = 0.0;
  v.txt = 0.18;
  v.tzin = 0;
  v.upt = false;
  v.zin = 0;
  v.fxl = 1.0;
  v.fxlon = false;
  v.jogang = 0.7853981633974483;  // 45 degrees
  v.tfill = 0;
  v.tfillclr = OdCmColor(OdCmColor::kByBlock);
  v.arcsym = 0;
  v.txtdirection = false;
  v.mzf = 100.0;
  v.altmzf = 100.0;
  return v;
}

OdDbDimVars OdDbDimVars::metricDefaults() {
  OdDbDimVars v = imperialDefaults();
  v.altd = 4;
  v.altf = 0.0393700787401575;  // alternate units in inches
  v.alttd = 4;
  v.asz = 2.5;
  v.cen = 2.5;
  v.dec = 2;
  v.dli = 3.75;
  v.dsep = ',';
  v.exe = 1.25;
  v.exo = 0.625;
  v.gap = 0.625;
  v.tad = 1;
  v.tdec = 2;
  v.tih = false;
  v.toh = false;
  v.tolj = 0;
  v.txt = 2.5;
  v.zin = 8;
  v.tzin = 8;
  v.altz = 0;
  v.fxl = 1.0;
  return v;
}
