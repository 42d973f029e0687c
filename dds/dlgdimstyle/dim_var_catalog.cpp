#include "dim_var_catalog.h"

#include <algorithm>
#include <array>
#include <mutex>
#include <unordered_map>

#include "OdStringUtil.h"

namespace dds {
namespace {

using T = OdDbDimVarType;
using K = DimVarKind;

const DimVarInfo kCatalogue[] = {
    {"DIMadec", "adec", T::kInt16, K::Integer, 1082},
    {"DIMalt", "alt", T::kBool, K::YesNo, 1083},
    {"DIMaltd", "altd", T::kUInt16, K::Integer, 1084},
    {"DIMaltf", "altf", T::kDouble, K::Length, 1085},
    {"DIMaltrnd", "altrnd", T::kDouble, K::Length, 1086},
    {"DIMalttd", "alttd", T::kInt16, K::Integer, 1087},
    {"DIMalttz", "alttz", T::kUInt8, K::Integer, 1088},
    {"DIMaltu", "altu", T::kInt16, K::Integer, 1089},
    {"DIMaltz", "altz", T::kUInt8, K::Integer, 1090},
    {"DIMapost", "apost", T::kString, K::Text, 1091},
    {"DIMasz", "asz", T::kDouble, K::Length, 1092},
    {"DIMatfit", "atfit", T::kInt16, K::Integer, 1093},
    {"DIMaunit", "aunit", T::kInt16, K::Integer, 1094},
    {"DIMazin", "azin", T::kInt16, K::Integer, 1095},
    {"DIMblk", "blk", T::kObjectId, K::Arrow, 1096},
    {"DIMblk1", "blk1", T::kObjectId, K::Arrow, 1097},
    {"DIMblk2", "blk2", T::kObjectId, K::Arrow, 1098},
    {"DIMcen", "cen", T::kDouble, K::Length, 1099},
    {"DIMclrd", "clrd", T::kColor, K::Color, 1100},
    {"DIMclre", "clre", T::kColor, K::Color, 1101},
    {"DIMclrt", "clrt", T::kColor, K::Color, 1102},
    {"DIMdec", "dec", T::kInt16, K::Integer, 1103},
    {"DIMdle", "dle", T::kDouble, K::Length, 1104},
    {"DIMdli", "dli", T::kDouble, K::Length, 1105},
    {"DIMdsep", "dsep", T::kInt16, K::Character, 1106},
    {"DIMexe", "exe", T::kDouble, K::Length, 1107},
    {"DIMexo", "exo", T::kDouble, K::Length, 1108},
    {"DIMfrac", "frac", T::kInt16, K::Integer, 1109},
    {"DIMgap", "gap", T::kDouble, K::Length, 1110},
    {"DIMjust", "just", T::kUInt16, K::Integer, 1111},
    {"DIMldrblk", "ldrblk", T::kObjectId, K::Arrow, 1112},
    {"DIMlfac", "lfac", T::kDouble, K::Length, 1113},
    {"DIMlim", "lim", T::kBool, K::YesNo, 1114},
    {"DIMlunit", "lunit", T::kInt16, K::Integer, 1115},
    {"DIMlwd", "lwd", T::kLineWeight, K::Integer, 1116},
    {"DIMlwe", "lwe", T::kLineWeight, K::Integer, 1117},
    {"DIMpost", "post", T::kString, K::Text, 1118},
    {"DIMrnd", "rnd", T::kDouble, K::Length, 1119},
    {"DIMsah", "sah", T::kBool, K::YesNo, 1120},
    {"DIMscale", "scale", T::kDouble, K::Length, 1121},
    {"DIMsd1", "sd1", T::kBool, K::YesNo, 1122},
    {"DIMsd2", "sd2", T::kBool, K::YesNo, 1123},
    {"DIMse1", "se1", T::kBool, K::YesNo, 1124},
    {"DIMse2", "se2", T::kBool, K::YesNo, 1125},
    {"DIMsoxd", "soxd", T::kBool, K::YesNo, 1126},
    {"DIMtad", "tad", T::kInt16, K::Integer, 1127},
    {"DIMtdec", "tdec", T::kInt16, K::Integer, 1128},
    {"DIMtfac", "tfac", T::kDouble, K::Length, 1129},
    {"DIMtih", "tih", T::kBool, K::YesNo, 1130},
    {"DIMtix", "tix", T::kBool, K::YesNo, 1131},
    {"DIMtm", "tm", T::kDouble, K::Length, 1132},
    {"DIMtmove", "tmove", T::kInt16, K::Integer, 1133},
    {"DIMtofl", "tofl", T::kBool, K::YesNo, 1134},
    {"DIMtoh", "toh", T::kBool, K::YesNo, 1135},
    {"DIMtol", "tol", T::kBool, K::YesNo, 1136},
    {"DIMtolj", "tolj", T::kUInt8, K::Integer, 1137},
    {"DIMtp", "tp", T::kDouble, K::Length, 1138},
    {"DIMtsz", "tsz", T::kDouble, K::Length, 1139},
    {"DIMtvp", "tvp", T::kDouble, K::Length, 1140},
    {"DIMtxsty", "txsty", T::kObjectId, K::TextStyle, 1141},
    {"DIMtxt", "txt", T::kDouble, K::Length, 1142},
    {"DIMtzin", "tzin", T::kUInt8, K::Integer, 1143},
    {"DIMupt", "upt", T::kBool, K::YesNo, 1144},
    {"DIMzin", "zin", T::kUInt8, K::Integer, 1145},
    {"DIMfxl", "fxl", T::kDouble, K::Length, 1146},
    {"DIMfxlon", "fxlon", T::kBool, K::YesNo, 1147},
    {"DIMjogang", "jogang", T::kDouble, K::Angle, 1148},
    {"DIMtfill", "tfill", T::kInt16, K::Integer, 1149},
    {"DIMtfillclr", "tfillclr", T::kColor, K::Color, 1150},
    {"DIMarcsym", "arcsym", T::kInt16, K::Integer, 1151},
    {"DIMltype", "ltype", T::kObjectId, K::Linetype, 1152},
    {"DIMltex1", "ltex1", T::kObjectId, K::Linetype, 1153},
    {"DIMltex2", "ltex2", T::kObjectId, K::Linetype, 1154},
    {"DIMtxtdirection", "txtdirection", T::kBool, K::YesNo, 1169},
    {"DIMmzf", "mzf", T::kDouble, K::Length, 1170},
    {"DIMmzs", "mzs", T::kString, K::Text, 1171},
    {"DIMaltmzf", "altmzf", T::kDouble, K::Length, 1174},
    {"DIMaltmzs", "altmzs", T::kString, K::Text, 1175},
};
constexpr int kCount = int(sizeof(kCatalogue) / sizeof(kCatalogue[0]));
static_assert(kCount == 78, "the catalogue holds 78 variables");

struct Derived {
  std::array<OdString, kCount> upperNames;
  std::array<int, kCount> storage{};
  Derived() {
    for (int i = 0; i < kCount; ++i) {
      upperNames[i] = qrv::toUpper(kCatalogue[i].name);
      storage[i] = OdDbDimVars::indexOf(kCatalogue[i].key).value_or(-1);
    }
  }
};
const Derived& derived() {
  static const Derived d;
  return d;
}

// Built once on first use: the catalogue's names in one letter case,
// sorted ascending (quicksort, middle pivot, comparing code units), each
// with its rank.
class ListingOrder {
public:
  ListingOrder() {
    std::array<OdString, kCount> names = derived().upperNames;
    quicksort(names, 0, kCount - 1);
    for (int i = 0; i < kCount; ++i) m_positions.emplace(names[i], i);
  }
  std::int32_t position(const OdString& name) const {
    auto it = m_positions.find(qrv::toUpper(name));
    return it == m_positions.end() ? -1 : it->second;
  }

private:
  static void quicksort(std::array<OdString, kCount>& a, int lo, int hi) {
    while (lo < hi) {
      const OdString pivot = a[lo + (hi - lo) / 2];
      int i = lo, j = hi;
      while (i <= j) {
        while (a[i] < pivot) ++i;
        while (pivot < a[j]) --j;
        if (i <= j) std::swap(a[i++], a[j--]);
      }
      if (j - lo < hi - i) {
        quicksort(a, lo, j);
        lo = i;
      } else {
        quicksort(a, i, hi);
        hi = j;
      }
    }
  }
  std::unordered_map<OdString, std::int32_t> m_positions;
};

}  // namespace

const DimVarInfo& dimVarInfo(int i) { return kCatalogue[i]; }
int variableCount() { return kCount; }
const OdString& dimVarName(int i) { return derived().upperNames[i]; }
int DimVarInfo::storageIndex() const { return derived().storage[this - kCatalogue]; }

std::int32_t listingPosition(const OdString& name) {
  static const ListingOrder order;  // built once, on first use
  return order.position(name);
}

}  // namespace dds
