#pragma once
// Accessors of the Text, Fit, Primary units, Alternate Units and Tolerances
// rows that are more than a copy of one variable: zero suppression bits,
// prefix and suffix, choices stored as numbers, precision lists that follow
// the unit format, the tolerance display and alignment, measured values.
#include "dimprops/dim_accessors.h"

namespace dimacc {

// Zero suppression: bit 4 leading, bit 8 trailing; the two low bits code
// feet and inches together (0 both suppressed, 1 neither, 2 inches only,
// 3 feet only).
bool zeroBit(int value, int bit);
int withZeroBit(int value, int bit, bool on);
bool suppressesZeroFeet(int value);
bool suppressesZeroInches(int value);
int withZeroFeet(int value, bool on);
int withZeroInches(int value, bool on);

// DIMPOST and DIMAPOST split at the first "<>"; a text without it is all
// suffix. Joining: both empty give "", an empty prefix the suffix alone.
OdString postPrefix(const OdString& post);
OdString postSuffix(const OdString& post);
OdString joinPost(const OdString& prefix, const OdString& suffix);

// The precision patterns of a linear unit format (DIMLUNIT values; other
// values give the decimal ones), or of the angular formats.
std::vector<OdString> precisionItems(int linearUnit, bool english);
std::vector<OdString> angularPrecisionItems(bool english);
// The precision (0..8) an item of any unit format's precision list stands
// for, in either language; -1 when it is none.
int precisionIndex(const OdString& text);

// "None", "Symmetrical", "Deviation", "Limits", "Basic", read from DIMTOL,
// DIMLIM, DIMTP, DIMTM and the sign of DIMGAP, and written back to them.
int toleranceDisplay(const OdDbDimStyleEntity* e);
bool setToleranceDisplay(OdDbDimStyleEntity* e, int index);

// The tolerance alignment kept in the entity's extended data.
int toleranceAlignment(const OdDbEntity* e);
bool setToleranceAlignment(OdDbEntity* e, int index);

// A text style with a fixed height makes the text height row read-only.
bool hasFixedTextHeight(const OdDbDimStyleEntity* e);
bool isDiameter(const OdDbEntity* e);

}  // namespace dimacc

// ---- plain copies ----
DDS_DIMVAR_ACCESSOR(TOdDimRoundoff, rnd, double)
DDS_DIMVAR_ACCESSOR(TOdDimAltRound, altrnd, double)
DDS_DIMVAR_ACCESSOR(TOdDimAltScaleFactor, altf, double)
DDS_DIMVAR_ACCESSOR(TOdDimTolLimitUpper, tp, double)
DDS_DIMVAR_ACCESSOR(TOdDimTolTextHeight, tfac, double)
DDS_DIMVAR_ACCESSOR(TOdDimDimLineForced, tofl, bool)
DDS_DIMVAR_ACCESSOR(TOdDimDimLineInside, soxd, bool)
DDS_DIMVAR_ACCESSOR(TOdDimAlt, alt, bool)

// Read-only while a condition holds for the entity.
#define DDS_GUARDED_ACCESSOR(Name, Plain, condition)                  \
  template <class E>                                                  \
  struct Name : Plain<E> {                                            \
    static bool available([[maybe_unused]] const E* e) { return !(condition); } \
  };

// A choice of one variable: the stored number is the position, plus an offset.
#define DDS_CHOICE_ACCESSOR(Name, key, offset, blocked, ...)             \
  template <class E>                                                     \
  struct Name {                                                          \
    static int getIndex(const E* e) { return int(e->dim##key()) - (offset); } \
    static bool setIndex(E* e, int i) {                                  \
      e->setDim##key(decltype(e->dim##key())(i + (offset)));             \
      return true;                                                       \
    }                                                                    \
    static std::vector<OdString> items(const E*, bool english) {         \
      return dimacc::resourceItems({__VA_ARGS__}, english);              \
    }                                                                    \
    static bool available([[maybe_unused]] const E* e) { return !(blocked); } \
  };

DDS_CHOICE_ACCESSOR(TOdDimFractionalType, frac, 0, e->dimlunit() != 4 && e->dimlunit() != 5, 1045, 1046, 1047)
DDS_CHOICE_ACCESSOR(TOdDimTextPosHor, just, 0, !e->isUsingDefaultTextPosition(), 1246, 1247, 1248, 1249, 1250)
DDS_CHOICE_ACCESSOR(TOdDimTextViewDir, txtdirection, 0, false, 1192, 1193)
DDS_CHOICE_ACCESSOR(TOdDimFit, atfit, 0, dimacc::isDiameter(e), 1204, 1205, 1206, 1207)
DDS_CHOICE_ACCESSOR(TOdDimTextMovement, tmove, 0, false, 1208, 1209, 1210)
DDS_CHOICE_ACCESSOR(TOdDimUnits, lunit, 1, false, 1039, 1040, 1041, 1042, 1043, 1044)
DDS_CHOICE_ACCESSOR(TOdDimAngleFormat, aunit, 0, false, 1053, 1054, 1058, 1059)
DDS_CHOICE_ACCESSOR(TOdDimAltFormat, altu, 1, !e->dimalt(), 1039, 1040, 1041, 1261, 1262, 1042, 1043, 1044)
DDS_CHOICE_ACCESSOR(TOdDimTolPosVert, tolj, 0, !e->dimtol() && !e->dimlim(), 1068, 1069, 1070)

// Precision choices: the list follows the entity's unit format (the primary
// precision) or is the decimal one.
#define DDS_PRECISION_ACCESSOR(Name, key, listUnit, blocked)             \
  template <class E>                                                     \
  struct Name {                                                          \
    static int getIndex(const E* e) { return int(e->dim##key()); }      \
    static bool setIndex(E* e, int i) {                                  \
      e->setDim##key(decltype(e->dim##key())(i));                        \
      return true;                                                       \
    }                                                                    \
    static std::vector<OdString> items(const E* e, bool english) {       \
      return dimacc::precisionItems(e ? (listUnit) : 2, english);         \
    }                                                                    \
    static constexpr bool kItemsFollowEntity = true;                     \
    static int itemIndex(const OdString& text) { return dimacc::precisionIndex(text); } \
    static bool available([[maybe_unused]] const E* e) { return !(blocked); } \
  };
DDS_PRECISION_ACCESSOR(TOdDimPrecision, dec, e->dimlunit(), false)
DDS_PRECISION_ACCESSOR(TOdDimAnglePrecision, adec, 2, false)
DDS_PRECISION_ACCESSOR(TOdDimAltPrecision, altd, 2, !e->dimalt())
DDS_PRECISION_ACCESSOR(TOdDimTolPrecision, tdec, 2, !e->dimtol() && !e->dimlim())
DDS_PRECISION_ACCESSOR(TOdDimAltTolPrecision, alttd, 2, (!e->dimtol() && !e->dimlim()) || !e->dimalt())

// Zero suppression switches: a bit, or the feet or inches state of the low
// bits, of one variable.
#define DDS_ZERO_ACCESSOR(Name, key, read, write, blocked)              \
  template <class E>                                                     \
  struct Name {                                                          \
    static bool get(const E* e) { return dimacc::read(int(e->dim##key())); } \
    static bool set(E* e, const bool& v) {                               \
      e->setDim##key(decltype(e->dim##key())(dimacc::write(int(e->dim##key()), v))); \
      return true;                                                       \
    }                                                                    \
    static bool available([[maybe_unused]] const E* e) { return !(blocked); } \
  };

namespace dimacc {
inline bool leadingZeros(int v) { return zeroBit(v, 4); }
inline int withLeadingZeros(int v, bool on) { return withZeroBit(v, 4, on); }
inline bool trailingZeros(int v) { return zeroBit(v, 8); }
inline int withTrailingZeros(int v, bool on) { return withZeroBit(v, 8, on); }
inline bool feetOrInchesUnit(int u) { return u == 3 || u == 4; }
inline bool altFeetOrInchesUnit(int u) { return u == 3 || u == 4 || u == 6; }
}  // namespace dimacc

#define DDS_NO_TOL (!e->dimtol() && !e->dimlim())
DDS_ZERO_ACCESSOR(TOdDimSuppressLZeros, zin, leadingZeros, withLeadingZeros, dimacc::feetOrInchesUnit(e->dimlunit()))
DDS_ZERO_ACCESSOR(TOdDimSuppressTZeros, zin, trailingZeros, withTrailingZeros, dimacc::feetOrInchesUnit(e->dimlunit()))
DDS_ZERO_ACCESSOR(TOdDimSuppressZeroFeet, zin, suppressesZeroFeet, withZeroFeet, !dimacc::feetOrInchesUnit(e->dimlunit()))
DDS_ZERO_ACCESSOR(TOdDimSuppressZeroInches, zin, suppressesZeroInches, withZeroInches, !dimacc::feetOrInchesUnit(e->dimlunit()))
DDS_ZERO_ACCESSOR(TOdDimAltSuppressLZeros, altz, leadingZeros, withLeadingZeros, !e->dimalt() || dimacc::altFeetOrInchesUnit(e->dimaltu()))
DDS_ZERO_ACCESSOR(TOdDimAltSuppressTZeros, altz, trailingZeros, withTrailingZeros, !e->dimalt() || dimacc::altFeetOrInchesUnit(e->dimaltu()))
DDS_ZERO_ACCESSOR(TOdDimAltSuppressZeroFeet, altz, suppressesZeroFeet, withZeroFeet, !e->dimalt() || !dimacc::altFeetOrInchesUnit(e->dimaltu()))
DDS_ZERO_ACCESSOR(TOdDimAltSuppressZeroInches, altz, suppressesZeroInches, withZeroInches, !e->dimalt() || !dimacc::altFeetOrInchesUnit(e->dimaltu()))
DDS_ZERO_ACCESSOR(TOdDimTolSuppressLZeros, tzin, leadingZeros, withLeadingZeros, DDS_NO_TOL)
DDS_ZERO_ACCESSOR(TOdDimTolSuppressTZeros, tzin, trailingZeros, withTrailingZeros, DDS_NO_TOL)
DDS_ZERO_ACCESSOR(TOdDimTolSuppressZeroFeet, tzin, suppressesZeroFeet, withZeroFeet, DDS_NO_TOL || !dimacc::feetOrInchesUnit(e->dimlunit()))
DDS_ZERO_ACCESSOR(TOdDimTolSuppressZeroInches, tzin, suppressesZeroInches, withZeroInches, DDS_NO_TOL || !dimacc::feetOrInchesUnit(e->dimlunit()))
DDS_ZERO_ACCESSOR(TOdDimAltTolSuppressLZeros, alttz, leadingZeros, withLeadingZeros, !e->dimalt() || DDS_NO_TOL || dimacc::altFeetOrInchesUnit(e->dimaltu()))
DDS_ZERO_ACCESSOR(TOdDimAltTolSuppressTZeros, alttz, trailingZeros, withTrailingZeros, !e->dimalt() || DDS_NO_TOL || dimacc::altFeetOrInchesUnit(e->dimaltu()))
DDS_ZERO_ACCESSOR(TOdDimAltTolSuppressZeroFeet, alttz, suppressesZeroFeet, withZeroFeet, !e->dimalt() || DDS_NO_TOL || !dimacc::altFeetOrInchesUnit(e->dimaltu()))
DDS_ZERO_ACCESSOR(TOdDimAltTolSuppressZeroInches, alttz, suppressesZeroInches, withZeroInches, !e->dimalt() || DDS_NO_TOL || !dimacc::altFeetOrInchesUnit(e->dimaltu()))

// Read-only rows while a condition holds.
DDS_GUARDED_ACCESSOR(TOdDimRoundoffRow, TOdDimRoundoff, false)
DDS_GUARDED_ACCESSOR(TOdDimAltRoundRow, TOdDimAltRound, !e->dimalt())
DDS_GUARDED_ACCESSOR(TOdDimAltScaleFactorRow, TOdDimAltScaleFactor, !e->dimalt())
DDS_GUARDED_ACCESSOR(TOdDimTolLimitUpperRow, TOdDimTolLimitUpper, DDS_NO_TOL)
DDS_GUARDED_ACCESSOR(TOdDimTolTextHeightRow, TOdDimTolTextHeight, DDS_NO_TOL)

template <class E>
struct TOdDimTolLimitLower {
  static double get(const E* e) { return e->dimtm(); }
  static bool set(E* e, const double& v) {
    e->setDimtm(v);
    return true;
  }
  static bool available(const E* e) { return !(DDS_NO_TOL || (!e->dimlim() && e->dimtp() == e->dimtm())); }
};

// Prefix and suffix of DIMPOST or DIMAPOST.
#define DDS_POST_ACCESSOR(Name, key, part, blocked)                      \
  template <class E>                                                     \
  struct Name {                                                          \
    static OdString get(const E* e) { return dimacc::post##part(e->dim##key()); } \
    static bool set(E* e, const OdString& v) {                           \
      const OdString post = e->dim##key();                               \
      e->setDim##key(DDS_POST_JOIN_##part(post, v));                     \
      return true;                                                       \
    }                                                                    \
    static bool available([[maybe_unused]] const E* e) { return !(blocked); } \
  };
#define DDS_POST_JOIN_Prefix(post, v) dimacc::joinPost(v, dimacc::postSuffix(post))
#define DDS_POST_JOIN_Suffix(post, v) dimacc::joinPost(dimacc::postPrefix(post), v)
DDS_POST_ACCESSOR(TOdDimDimPrefix, post, Prefix, false)
DDS_POST_ACCESSOR(TOdDimDimSuffix, post, Suffix, false)
DDS_POST_ACCESSOR(TOdDimAltPrefix, apost, Prefix, !e->dimalt())
DDS_POST_ACCESSOR(TOdDimAltSuffix, apost, Suffix, !e->dimalt())

// Text rows that a diameter dimension or a moved text decides itself.
template <class E>
struct TOdDimTextOutsideAlign {
  static bool get(const E* e) { return e->dimtoh(); }
  static bool set(E* e, const bool& v) {
    e->setDimtoh(v);
    return true;
  }
  static bool available(const E* e) { return !dimacc::isDiameter(e) && e->isUsingDefaultTextPosition(); }
};
template <class E>
struct TOdDimTextInside {
  static bool get(const E* e) { return e->dimtix(); }
  static bool set(E* e, const bool& v) {
    e->setDimtix(v);
    return true;
  }
  static bool available(const E* e) { return !dimacc::isDiameter(e) && e->isUsingDefaultTextPosition(); }
};
template <class E>
struct TOdDimTextInsideAlign {
  static bool get(const E* e) { return e->dimtih(); }
  static bool set(E* e, const bool& v) {
    e->setDimtih(v);
    return true;
  }
  static bool available(const E* e) { return !dimacc::isDiameter(e); }
};

struct TOdDimTextColor {
  static OdCmColor get(const OdDbDimension* e) { return e->dimclrt(); }
  static bool set(OdDbDimension* e, const OdCmColor& v) {
    e->setDimclrt(v);
    return true;
  }
};
struct TOdDimTextHeight {
  static double get(const OdDbDimension* e) { return e->dimtxt(); }
  static bool set(OdDbDimension* e, const double& v) {
    e->setDimtxt(v);
    return true;
  }
  static bool available(const OdDbDimension* e) { return !dimacc::hasFixedTextHeight(e); }
  static OdString refusal(const double& v) { return dimacc::rangeRefusalOf("txt", v); }
};

// The measured value can be seen, never changed.
template <class E>
struct TOdDimMeasurement {
  static double get(const E* e) { return e->getMeasurement(); }
  static bool set(E*, const double&) { return false; }
  static bool available(const E*) { return false; }
};
template <class E>
using TOdDimAngMeasurement = TOdDimMeasurement<E>;

template <class E>
struct TOdDimTolDisplay {
  static int getIndex(const E* e) { return dimacc::toleranceDisplay(e); }
  static bool setIndex(E* e, int i) { return dimacc::setToleranceDisplay(e, i); }
  static std::vector<OdString> items(const E*, bool english) {
    return dimacc::resourceItems({1071, 1072, 1073, 1074, 1075}, english);
  }
};
template <class E>
struct TOdDimTolAlignment {
  static int getIndex(const E* e) { return dimacc::toleranceAlignment(e); }
  static bool setIndex(E* e, int i) { return dimacc::setToleranceAlignment(e, i); }
  static std::vector<OdString> items(const E*, bool english) { return dimacc::resourceItems({1283, 1284}, english); }
  static bool available(const E* e) { return !DDS_NO_TOL; }
};

// Rows whose change makes other rows mean something else ask the palette to
// read those again.
namespace dimacc {
void refreshRows(std::initializer_list<const char*> paletteNames);
void refreshUnitsDependents();
void refreshAltDependents();
void refreshToleranceDependents();
}  // namespace dimacc

template <class E>
struct TOdDimUnitsRow : TOdDimUnits<E> {
  static bool setIndex(E* e, int i) {
    TOdDimUnits<E>::setIndex(e, i);
    dimacc::refreshUnitsDependents();
    return true;
  }
};
template <class E>
struct TOdDimAltRow : TOdDimAlt<E> {
  static bool set(E* e, const bool& v) {
    TOdDimAlt<E>::set(e, v);
    dimacc::refreshAltDependents();
    return true;
  }
};
template <class E>
struct TOdDimTolDisplayRow : TOdDimTolDisplay<E> {
  static bool setIndex(E* e, int i) {
    if (!TOdDimTolDisplay<E>::setIndex(e, i)) return false;
    dimacc::refreshToleranceDependents();
    return true;
  }
};
