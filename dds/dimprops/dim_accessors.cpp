#include "dimprops/dim_accessors.h"

#include <cmath>

#include "OdDbAnnotativeObjectPE.h"
#include "OdDbDimVarRange.h"
#include "sysvars.h"
#include "text_format.h"
#include "OdDbDatabase.h"
#include "OdDbDimAssoc.h"
#include "OdDbDimStyleTableRecord.h"
#include "OdDbSymbolTable.h"
#include "OdDbSymbolTableRecord.h"
#include "OdStringUtil.h"
#include "opm/opm_services.h"
#include "stdafx/module_resources.h"

namespace dimacc {

OdString recordName(OdDbObjectId id) {
  OdDbObjectPtr obj = id.openObject();
  const auto* rec = dynamic_cast<const OdDbSymbolTableRecord*>(obj.get());
  return rec ? rec->getName() : OdString();
}

OdDbObjectId recordId(OdDbObjectId table, const OdString& name) {
  OdDbObjectPtr obj = table.openObject();
  const auto* symbols = dynamic_cast<const OdDbSymbolTable*>(obj.get());
  return symbols ? symbols->getAt(name) : OdDbObjectId();
}

OdString linetypeName(OdDbObjectId id) { return id.isNull() ? OdString("ByBlock") : recordName(id); }

OdDbObjectId linetypeId(OdDbDatabase* db, const OdString& name) {
  if (qrv::equalNoCase(name, "ByBlock")) return OdDbObjectId();
  const OdDbObjectId id = db ? recordId(db->getLinetypeTableId(), name) : OdDbObjectId();
  if (id.isNull()) throw OdError(eKeyNotFound, "no linetype \"" + name + "\"");
  return id;
}

OdString rangeRefusal(const char* key, const OdDbDimVarValue& value) {
  const int index = *OdDbDimVars::indexOf(key);
  return odDbDimVarValueAllowed(index, value) ? OdString() : hostDimVarRefusal(index, value);
}

OdString jogAngleRefusal(double radians) {
  constexpr double kLeast = 5 * 3.14159265358979323846 / 180, kMost = 3.14159265358979323846 / 2;
  if (radians >= kLeast - 1e-12 && radians <= kMost + 1e-12) return OdString();
  return hostFormat(dds::translate("The jog angle must be between 5 and 90 degrees (%s to %s in radians).").c_str(),
                    dds::kinds::realText(kLeast).c_str(), dds::kinds::realText(kMost).c_str());
}

// Yes only while an association reaches live geometry: an entry whose
// objects are gone follows nothing.
bool isAssociative(const OdDbEntity* e) { return odDbIsDimAssociative(*e); }

bool isAnnotative(const OdDbEntity* e) {
  const OdDbAnnotativeObjectPE* pe = OdDbAnnotativeObjectPE::cast(e);
  return pe && pe->isAnnotative(e);
}

bool setAnnotative(OdDbEntity* e, bool on) {
  const OdDbAnnotativeObjectPE* pe = OdDbAnnotativeObjectPE::cast(e);
  if (!pe) return false;
  pe->setAnnotative(e, on);
  // Rows that depend on the annotative state are built again.
  hostRunCommand("RefreshProperties");
  return true;
}

// The drawing keeps one annotation scale, the current one; an annotative
// entity shows at it.
OdString annotationScales(const OdDbEntity* e) {
  if (!isAnnotative(e) || !e->database()) return OdString();
  return e->database()->getCANNOSCALE();
}

OdString arrow1(const OdDbDimStyleEntity* e) {
  return OdDmUtil::arrowName(e->dimsah() ? e->dimblk1() : e->dimblk());
}

bool setArrow1(OdDbDimStyleEntity* e, const OdString& name) {
  const OdDbObjectId id = OdDmUtil::getArrowId(name, e->database());
  // The second arrowhead keeps its look when the arrows become separate.
  if (!e->dimsah()) e->setDimblk2(e->dimblk());
  if (id.isNull()) e->setDimblk(OdDbObjectId());
  e->setDimblk1(id);
  e->setDimsah(true);
  return true;
}

OdString arrow2(const OdDbDimStyleEntity* e) {
  return OdDmUtil::arrowName(e->dimsah() ? e->dimblk2() : e->dimblk());
}

bool setArrow2(OdDbDimStyleEntity* e, const OdString& name) {
  const OdDbObjectId id = OdDmUtil::getArrowId(name, e->database());
  if (!e->dimsah()) e->setDimblk1(e->dimblk());
  if (id.isNull()) e->setDimblk(OdDbObjectId());
  e->setDimblk2(id);
  e->setDimsah(true);
  return true;
}

OdString radiusArrow(const OdDbDimStyleEntity* e) {
  return OdDmUtil::arrowName(e->dimsah() ? e->dimblk2() : e->dimblk());
}

bool setRadiusArrow(OdDbDimStyleEntity* e, const OdString& name) {
  const OdDbObjectId id = OdDmUtil::getArrowId(name, e->database());
  if (!e->dimsah()) e->setDimblk(id);
  e->setDimblk2(id);
  return true;
}

OdString leaderArrow(const OdDbDimStyleEntity* e) { return OdDmUtil::arrowName(e->dimldrblk()); }

bool setLeaderArrow(OdDbDimStyleEntity* e, const OdString& name) {
  e->setDimldrblk(OdDmUtil::getArrowId(name, e->database()));
  return true;
}

int centerMarkIndex(const OdDbDimStyleEntity* e) {
  const double cen = e->dimcen();
  return cen == 0.0 ? 2 : (cen < 0 ? 1 : 0);
}

bool setCenterMarkIndex(OdDbDimStyleEntity* e, int index) {
  if (index == 2) {
    e->setDimcen(0.0);
    return true;
  }
  // The size the mark had, else the style's, else a size for the units.
  double size = std::fabs(e->dimcen());
  if (size == 0.0) {
    OdDbObjectPtr obj = e->dimensionStyle().openObject();
    if (const auto* style = dynamic_cast<const OdDbDimStyleTableRecord*>(obj.get()))
      size = std::fabs(style->dimcen());
  }
  if (size == 0.0) size = (e->dimlunit() == 3 || e->dimlunit() == 4) ? 0.09 : 2.5;
  e->setDimcen(index == 0 ? size : -size);
  return true;
}

QrFillColor fillColor(const OdDbDimStyleEntity* e) { return QrFillColor{e->dimtfill(), e->dimtfillclr()}; }

bool setFillColor(OdDbDimStyleEntity* e, const QrFillColor& fill) {
  if (fill.mode < 0 || fill.mode > 2) return false;
  e->setDimtfill(OdInt16(fill.mode));
  if (fill.mode == 2) e->setDimtfillclr(fill.color);
  return true;
}

// Some English item texts carry a lower-case context ("dimcen:Line") that
// tells them apart from equal words elsewhere; the list shows the word.
std::vector<OdString> resourceItems(std::initializer_list<unsigned> ids, bool english) {
  std::vector<OdString> items;
  for (unsigned id : ids) {
    OdString text = english ? dds::loadStringEnglish(id) : dds::loadString(id);
    const std::size_t colon = text.find(':');
    if (colon != OdString::npos && colon > 0 &&
        text.find_first_not_of("abcdefghijklmnopqrstuvwxyz") == colon)
      text.erase(0, colon + 1);
    items.push_back(text);
  }
  return items;
}

}  // namespace dimacc
