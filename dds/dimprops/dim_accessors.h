#pragma once
// Accessors of the palette's dimension and leader properties: how one row
// reads and writes one entity. Most rows copy one dimension variable; the
// others follow the rules written at each accessor.
#include <vector>

#include "OdDbDimStyleEntity.h"
#include "OdDbDimension.h"
#include "OdDbLeader.h"
#include "OdDmUtil.h"
#include "OdStringUtil.h"
#include "dimprops/value_kinds.h"
#include "stdafx/module_resources.h"

namespace dimacc {

// Linetype records by name and back; a null identifier is "ByBlock".
OdString linetypeName(OdDbObjectId id);
OdDbObjectId linetypeId(OdDbDatabase* db, const OdString& name);
// Style records of a table by name (any letter case); null when missing.
OdDbObjectId recordId(OdDbObjectId table, const OdString& name);
OdString recordName(OdDbObjectId id);

// Why the variable's range refuses the value (with the range), or "".
OdString rangeRefusal(const char* key, const OdDbDimVarValue& value);
// Why a large radius dimension refuses a jog angle (radians), or "".
OdString jogAngleRefusal(double radians);
template <class T>
OdString rangeRefusalOf(const char* key, const T& v) {
  if constexpr (std::is_enum_v<T>)
    return rangeRefusal(key, OdDbDimVarValue(int(v)));
  else
    return rangeRefusal(key, OdDbDimVarValue(v));
}

bool isAssociative(const OdDbEntity* e);
bool isAnnotative(const OdDbEntity* e);
bool setAnnotative(OdDbEntity* e, bool on);
OdString annotationScales(const OdDbEntity* e);

// The four arrow rules, on DIMSAH, DIMBLK, DIMBLK1 and DIMBLK2.
OdString arrow1(const OdDbDimStyleEntity* e);
bool setArrow1(OdDbDimStyleEntity* e, const OdString& name);
OdString arrow2(const OdDbDimStyleEntity* e);
bool setArrow2(OdDbDimStyleEntity* e, const OdString& name);
OdString radiusArrow(const OdDbDimStyleEntity* e);
bool setRadiusArrow(OdDbDimStyleEntity* e, const OdString& name);
OdString leaderArrow(const OdDbDimStyleEntity* e);
bool setLeaderArrow(OdDbDimStyleEntity* e, const OdString& name);

// The centre mark kind in the sign of DIMCEN: 0 "Mark", 1 the line item,
// 2 "None".
int centerMarkIndex(const OdDbDimStyleEntity* e);
bool setCenterMarkIndex(OdDbDimStyleEntity* e, int index);

QrFillColor fillColor(const OdDbDimStyleEntity* e);
bool setFillColor(OdDbDimStyleEntity* e, const QrFillColor& fill);

// Item lists of string resources, in the session's language or English.
std::vector<OdString> resourceItems(std::initializer_list<unsigned> ids, bool english);

}  // namespace dimacc

// ---- plain copies of one variable ----
#define DDS_DIMVAR_ACCESSOR(Name, key, Type)          \
  template <class E>                                  \
  struct Name {                                       \
    static Type get(const E* e) { return e->dim##key(); } \
    static bool set(E* e, const Type& v) {            \
      e->setDim##key(v);                              \
      return true;                                    \
    }                                                 \
    static OdString refusal(const Type& v) { return dimacc::rangeRefusalOf(#key, v); } \
  };
// A switch that shows the negation of a suppression variable.
#define DDS_DIMVAR_SHOWN_ACCESSOR(Name, key)          \
  template <class E>                                  \
  struct Name {                                       \
    static bool get(const E* e) { return !e->dim##key(); } \
    static bool set(E* e, const bool& v) {            \
      e->setDim##key(!v);                             \
      return true;                                    \
    }                                                 \
  };
// A linetype variable as its record name.
#define DDS_DIMVAR_LINETYPE_ACCESSOR(Name, key)                         \
  template <class E>                                                    \
  struct Name {                                                         \
    static OdString get(const E* e) { return dimacc::linetypeName(e->dim##key()); } \
    static bool set(E* e, const OdString& v) {                          \
      e->setDim##key(dimacc::linetypeId(e->database(), v));             \
      return true;                                                      \
    }                                                                   \
  };

DDS_DIMVAR_ACCESSOR(TOdArrowSize, asz, double)
DDS_DIMVAR_ACCESSOR(TOdDimLineColor, clrd, OdCmColor)
DDS_DIMVAR_ACCESSOR(TOdDimLineLineweight, lwd, OdDb::LineWeight)
DDS_DIMVAR_ACCESSOR(TOdDimDimLineExt, dle, double)
DDS_DIMVAR_ACCESSOR(TOdDimExtLineFixed, fxlon, bool)
DDS_DIMVAR_ACCESSOR(TOdDimExtLineColor, clre, OdCmColor)
DDS_DIMVAR_ACCESSOR(TOdDimRadExtLineColor, clre, OdCmColor)
DDS_DIMVAR_ACCESSOR(TOdDimExtLineLineweight, lwe, OdDb::LineWeight)
DDS_DIMVAR_ACCESSOR(TOdDimRadExtLineLineweight, lwe, OdDb::LineWeight)
DDS_DIMVAR_ACCESSOR(TOdDimExtLineExt, exe, double)
DDS_DIMVAR_ACCESSOR(TOdDimExtLineOffset, exo, double)
DDS_DIMVAR_ACCESSOR(TOdDimScaleLinear, lfac, double)
DDS_DIMVAR_ACCESSOR(TOdDimDimScaleOverall, scale, double)
DDS_DIMVAR_ACCESSOR(TOdTextOffset, gap, double)
DDS_DIMVAR_SHOWN_ACCESSOR(TOdDimDimLine1, sd1)
DDS_DIMVAR_SHOWN_ACCESSOR(TOdDimDimLine2, sd2)
DDS_DIMVAR_SHOWN_ACCESSOR(TOdDimExtLine1, se1)
DDS_DIMVAR_SHOWN_ACCESSOR(TOdDimExtLine2, se2)
DDS_DIMVAR_SHOWN_ACCESSOR(TOdDimRadExtLine, se1)
DDS_DIMVAR_LINETYPE_ACCESSOR(TOdDimDimLineLinetype, ltype)
DDS_DIMVAR_LINETYPE_ACCESSOR(TOdDimExtLine1Linetype, ltex1)
DDS_DIMVAR_LINETYPE_ACCESSOR(TOdDimExtLine2Linetype, ltex2)
DDS_DIMVAR_LINETYPE_ACCESSOR(TOdDimRadExtLineLinetype, ltex1)

// Fixed extension lines: the length can be edited only while they are on.
template <class E>
struct TOdDimExtLineFixedLength {
  static double get(const E* e) { return e->dimfxl(); }
  static bool set(E* e, const double& v) {
    e->setDimfxl(v);
    return true;
  }
  static bool available(const E* e) { return e->dimfxlon(); }
  static OdString refusal(const double& v) { return dimacc::rangeRefusalOf("fxl", v); }
};

// Radius and diameter extension line sizes mean nothing while it is suppressed.
template <class E, class Plain>
struct TOdRadExtLineSize : Plain {
  static bool available(const E* e) { return !e->dimse1(); }
};
template <class E>
struct TOdDimRadExtLineExt : TOdRadExtLineSize<E, TOdDimExtLineExt<E>> {};
template <class E>
struct TOdDimRadExtLineOffset : TOdRadExtLineSize<E, TOdDimExtLineOffset<E>> {};

template <class E>
struct TOdDimArrow1 {
  static OdString get(const E* e) { return dimacc::arrow1(e); }
  static bool set(E* e, const OdString& v) { return dimacc::setArrow1(e, v); }
};
template <class E>
struct TOdDimArrow2 {
  static OdString get(const E* e) { return dimacc::arrow2(e); }
  static bool set(E* e, const OdString& v) { return dimacc::setArrow2(e, v); }
};
template <class E>
struct TOdDimRadArrow {
  static OdString get(const E* e) { return dimacc::radiusArrow(e); }
  static bool set(E* e, const OdString& v) { return dimacc::setRadiusArrow(e, v); }
};
struct TOdLeaderArrow {
  static OdString get(const OdDbLeader* e) { return dimacc::leaderArrow(e); }
  static bool set(OdDbLeader* e, const OdString& v) { return dimacc::setLeaderArrow(e, v); }
};

template <class E>
struct TOdDimRadCenterMark {
  static int getIndex(const E* e) { return dimacc::centerMarkIndex(e); }
  static bool setIndex(E* e, int i) { return dimacc::setCenterMarkIndex(e, i); }
  static std::vector<OdString> items(const E*, bool english) {
    return dimacc::resourceItems({1241, 1242, 1243}, english);
  }
};
// The size held in DIMCEN, whatever its sign; no size while there is no mark.
template <class E>
struct TOdDimRadCenterMarkSize {
  static double get(const E* e) { return e->dimcen() < 0 ? -e->dimcen() : e->dimcen(); }
  static bool set(E* e, const double& v) {
    const double size = v < 0 ? -v : v;
    e->setDimcen(e->dimcen() < 0 ? -size : size);
    return true;
  }
  static bool available(const E* e) { return e->dimcen() != 0.0; }
};

template <class E>
struct TOdDimJogAng {
  static double get(const E* e) { return e->jogAngle(); }
  static bool set(E* e, const double& v) {
    e->setJogAngle(v);
    return true;
  }
  // The entity refuses a jog outside 5..90 degrees; the row says so first.
  static OdString refusal(const double& v) { return dimacc::jogAngleRefusal(v); }
};

struct TOdDimAssociative {
  static bool get(const OdDbDimension* e) { return dimacc::isAssociative(e); }
  static bool set(OdDbDimension*, const bool&) { return false; }
  static bool available(const OdDbDimension*) { return false; }
};
template <class E>
struct TOdDimAnnotative {
  static bool get(const E* e) { return dimacc::isAnnotative(e); }
  static bool set(E* e, const bool& v) { return dimacc::setAnnotative(e, v); }
};
template <class E>
struct TOdDimAnnotativeScale {
  static OdString get(const E* e) { return dimacc::annotationScales(e); }
  static bool set(E*, const OdString&) { return false; }
  static bool available(const E*) { return false; }
};

// "Misc.Type": the arrowhead and the path together, as four items.
struct TOdLeaderType {
  static int getIndex(const OdDbLeader* e) { return (e->hasArrowHead() ? 2 : 0) + (e->isSplined() ? 1 : 0); }
  static bool setIndex(OdDbLeader* e, int i) {
    if (i >= 2) e->enableArrowHead(); else e->disableArrowHead();
    if (i % 2) e->setToSplineLeader(); else e->setToStraightLeader();
    return true;
  }
  static std::vector<OdString> items(const OdDbLeader*, bool english) {
    return dimacc::resourceItems({1300, 1301, 1302, 1303}, english);
  }
};

struct TOdDimFillColor {
  static QrFillColor get(const OdDbDimension* e) { return dimacc::fillColor(e); }
  static bool set(OdDbDimension* e, const QrFillColor& v) { return dimacc::setFillColor(e, v); }
};

template <class E>
struct TOdDimTextRotation {
  static double get(const E* e) { return e->textRotation(); }
  static bool set(E* e, const double& v) {
    e->setTextRotation(v);
    return true;
  }
};
template <class E>
struct TOdDimTextPosition {
  static OdGePoint3d get(const E* e) { return e->textPosition(); }
  static bool set(E* e, const OdGePoint3d& v) {
    e->setTextPosition(v);
    return true;
  }
};
template <class E>
struct TOdDimTextOverride {
  static OdString get(const E* e) { return e->dimensionText(); }
  static bool set(E* e, const OdString& v) {
    e->setDimensionText(v);
    return true;
  }
};

// DIMTAD; the placement follows the default text position only, and a
// diameter dimension places its text itself.
template <class E>
struct TOdDimTextPosVert {
  static int getIndex(const E* e) { return e->dimtad(); }
  static bool setIndex(E* e, int i) {
    e->setDimtad(OdInt16(i));
    return true;
  }
  static std::vector<OdString> items(const E*, bool english) {
    return dimacc::resourceItems({1031, 1030, 1032, 1033, 1191}, english);
  }
  static bool available(const E* e) {
    if constexpr (std::is_base_of_v<OdDbDimension, E>)
      return !OdDbDiametricDimension::cast(e) && e->isUsingDefaultTextPosition();
    else
      return true;
  }
};

// One character; DIMDSEP holds its code.
template <class E>
struct TOdDimDecimalSeparator {
  static OdString get(const E* e) {
    const int code = e->dimdsep();
    OdString text;
    if (code > 0) qrv::appendUtf8(text, char32_t(code));
    return text;
  }
  static bool set(E* e, const OdString& v) {
    std::size_t at = 0;
    const char32_t code = qrv::decodeUtf8(v, at);
    if (qrv::codePointCount(v) != 1 || code > 0x7FFF) return false;
    e->setDimdsep(OdInt16(code));
    return true;
  }
  static bool check(const OdString& text, OdString& message) {
    if (qrv::codePointCount(text) == 1) return true;
    message = dds::loadString(1211);
    return false;
  }
  // One character, and one DIMDSEP can hold: a printable ASCII character.
  static OdString refusal(const OdString& v) {
    std::size_t at = 0;
    return dimacc::rangeRefusalOf("dsep", int(qrv::decodeUtf8(v, at)));
  }
};
