#include "dimprops/dim_accessors_units.h"

#include <algorithm>

#include "OdDbDatabase.h"
#include "OdDbTextStyleTableRecord.h"
#include "OdResBuf.h"
#include "opm/opm_services.h"
#include "stdafx/module_resources.h"

namespace dimacc {

bool zeroBit(int value, int bit) { return (value & bit) != 0; }
int withZeroBit(int value, int bit, bool on) { return on ? (value | bit) : (value & ~bit); }

bool suppressesZeroFeet(int value) {
  const int low = value & 3;
  return low == 0 || low == 3;
}
bool suppressesZeroInches(int value) { return (value & 1) == 0; }

// The code of the low bits that gives both states; the higher bits stay.
static int withFeetInches(int value, bool feet, bool inches) {
  const int low = feet ? (inches ? 0 : 3) : (inches ? 2 : 1);
  return (value & ~3) | low;
}
int withZeroFeet(int value, bool on) { return withFeetInches(value, on, suppressesZeroInches(value)); }
int withZeroInches(int value, bool on) { return withFeetInches(value, suppressesZeroFeet(value), on); }

OdString postPrefix(const OdString& post) {
  const std::size_t at = post.find("<>");
  return at == OdString::npos ? OdString() : post.substr(0, at);
}
OdString postSuffix(const OdString& post) {
  const std::size_t at = post.find("<>");
  return at == OdString::npos ? post : post.substr(at + 2);
}
OdString joinPost(const OdString& prefix, const OdString& suffix) {
  if (prefix.empty()) return suffix;
  return prefix + "<>" + suffix;
}

static std::vector<OdString> splitPatterns(unsigned id, bool english) {
  const OdString all = english ? dds::loadStringEnglish(id) : dds::loadString(id);
  std::vector<OdString> items;
  std::size_t pos = 0;
  while (true) {
    const std::size_t semi = all.find(';', pos);
    items.push_back(all.substr(pos, semi == OdString::npos ? OdString::npos : semi - pos));
    if (semi == OdString::npos) break;
    pos = semi + 1;
  }
  return items;
}

std::vector<OdString> precisionItems(int linearUnit, bool english) {
  switch (linearUnit) {
    case 1: return splitPatterns(1049, english);
    case 3: return splitPatterns(1050, english);
    case 4: return splitPatterns(1051, english);
    case 5: return splitPatterns(1052, english);
    default: return splitPatterns(1048, english);
  }
}

int precisionIndex(const OdString& text) {
  for (int unit = 1; unit <= 6; ++unit)
    for (bool english : {false, true}) {
      const std::vector<OdString> items = precisionItems(unit, english);
      const auto at = std::find(items.begin(), items.end(), text);
      if (at != items.end()) return int(at - items.begin());
    }
  return -1;
}

std::vector<OdString> angularPrecisionItems(bool english) { return splitPatterns(1048, english); }

int toleranceDisplay(const OdDbDimStyleEntity* e) {
  if (e->dimtol()) return e->dimtp() != e->dimtm() ? 2 : 1;
  if (e->dimlim()) return 3;
  return e->dimgap() < 0 ? 4 : 0;
}

bool setToleranceDisplay(OdDbDimStyleEntity* e, int index) {
  const double gap = e->dimgap() < 0 ? -e->dimgap() : e->dimgap();
  switch (index) {
    case 0:
      e->setDimtol(false);
      e->setDimlim(false);
      e->setDimgap(gap);
      return true;
    case 1:
      e->setDimtol(true);
      e->setDimlim(false);
      e->setDimtm(e->dimtp());
      return true;
    case 2:
      e->setDimtol(true);
      e->setDimlim(false);
      // Equal limits would read back as symmetrical.
      if (e->dimtm() == e->dimtp()) e->setDimtm(e->dimtm() + 1e-9);
      return true;
    case 3:
      e->setDimtol(false);
      e->setDimlim(true);
      return true;
    case 4:
      e->setDimtol(false);
      e->setDimlim(false);
      e->setDimgap(-gap);
      return true;
    default:
      return false;
  }
}

namespace {
const char* const kAlignmentApp = "ACAD_DSTYLE_DIMTALN";
constexpr int kAlignmentTag = 392;
}  // namespace

int toleranceAlignment(const OdDbEntity* e) {
  OdResBufPtr rb = e->xData(kAlignmentApp);
  if (!rb || rb->restype() != 1001 || rb->getString() != kAlignmentApp) return 0;
  for (OdResBufPtr it = rb->next(); it; it = it->next()) {
    if (it->restype() == 1070 && it->getInt32() == kAlignmentTag) {
      OdResBufPtr value = it->next();
      return value && value->restype() == 1070 && value->getInt32() == 1 ? 1 : 0;
    }
  }
  return 0;
}

bool setToleranceAlignment(OdDbEntity* e, int index) {
  if (index < 0 || index > 1 || !e->database()) return false;
  e->database()->newRegApp(kAlignmentApp);
  OdResBufPtr head = OdResBuf::newRb(1001, OdString(kAlignmentApp));
  OdResBufPtr tag = OdResBuf::newRb(1070, OdInt16(kAlignmentTag));
  OdResBufPtr value = OdResBuf::newRb(1070, OdInt16(index));
  tag->setNext(value);
  head->setNext(tag);
  e->setXData(head.get());
  return true;
}

bool hasFixedTextHeight(const OdDbDimStyleEntity* e) {
  OdDbObjectPtr obj = e->dimtxsty().openObject();
  const auto* style = dynamic_cast<const OdDbTextStyleTableRecord*>(obj.get());
  return style && style->textSize() > 0;
}

bool isDiameter(const OdDbEntity* e) { return e->isKindOf(OdDbDiametricDimension::desc()); }

}  // namespace dimacc

namespace dimacc {

void refreshRows(std::initializer_list<const char*> paletteNames) {
  for (const char* name : paletteNames) OpmUpdateProperties(name);
}

void refreshUnitsDependents() {
  refreshRows({"Primary units.Suppress leading zeros", "Primary units.Suppress trailing zeros",
               "Primary units.Suppress zero feet", "Primary units.Suppress zero inches", "Primary units.Precision"});
}

void refreshAltDependents() {
  refreshRows({"Alternate Units.Alt format", "Alternate Units.Alt precision", "Alternate Units.Alt round",
               "Alternate Units.Alt scale factor", "Alternate Units.Alt suppress leading zeros",
               "Alternate Units.Alt suppress trailing zeros", "Alternate Units.Alt suppress zero feet",
               "Alternate Units.Alt suppress zero inches", "Alternate Units.Alt prefix", "Alternate Units.Alt suffix"});
}

void refreshToleranceDependents() {
  refreshRows({"Tolerances.Tolerance limit upper", "Tolerances.Tolerance limit lower",
               "Tolerances.Tolerance pos vert", "Tolerances.Tolerance alignment", "Tolerances.Tolerance precision",
               "Tolerances.Tolerance suppress leading zeros", "Tolerances.Tolerance suppress trailing zeros",
               "Tolerances.Tolerance suppress zero feet", "Tolerances.Tolerance suppress zero inches",
               "Tolerances.Tolerance text height", "Tolerances.Alt tolerance precision",
               "Tolerances.Alt tolerance suppress leading zeros", "Tolerances.Alt tolerance suppress trailing zeros",
               "Tolerances.Alt tolerance suppress zero feet", "Tolerances.Alt tolerance suppress zero inches"});
}

}  // namespace dimacc
