// The system variables the host knows: the 78 dimension variables and the
// drawing and session variables that the module and the command line use.
#include <algorithm>

#include "OdDbDatabase.h"
#include "OdDbDimStyleTableRecord.h"
#include "OdDbDimVarRange.h"
#include "OdDbDimVars.h"
#include "OdDbLayerTableRecord.h"
#include "OdDbSymbolTableRecord.h"
#include "OdDbTextStyleTableRecord.h"
#include "OdDbLinetypeTableRecord.h"
#include "OdDmUtil.h"
#include "documents.h"
#include "host_error.h"
#include "host_text.h"
#include "text_format.h"
#include "sysvar_table.h"

#include "layout_names.h"
#include "sysvars.h"

OdResBufPtr hostColorToRb(const OdCmColor& c) {
  if (c.isByColor()) return OdResBuf::newRb(420, OdInt32(c.rgb24()));
  if (c.isForeground()) return OdResBuf::newRb(421, OdInt32(c.packed()));
  return OdResBuf::newRb(62, OdInt16(c.colorIndex()));
}

OdCmColor hostColorFromRb(const OdResBuf& rb) {
  const OdInt64 v = rb.getInt64();
  switch (rb.restype()) {
    case 62:
      if (v == 0 || v == 256 || v == 257 || (v >= 1 && v <= 255)) return OdCmColor::fromIndex(OdInt16(v));
      break;
    case 420:
      if (v >= 0 && v <= 0xFFFFFF) return OdCmColor::fromRGB(OdUInt8(v >> 16), OdUInt8(v >> 8), OdUInt8(v));
      break;
    case 421: {
      const auto packed = static_cast<OdUInt32>(v);
      const auto method = static_cast<OdCmColor::ColorMethod>(packed >> 24);
      switch (method) {
        case OdCmColor::kByLayer:
        case OdCmColor::kByBlock:
        case OdCmColor::kForeground:
        case OdCmColor::kNone: return OdCmColor(method);
        case OdCmColor::kByACI: return OdCmColor::fromIndex(OdInt16(packed & 0xFF));
        case OdCmColor::kByColor:
          return OdCmColor::fromRGB(OdUInt8(packed >> 16), OdUInt8(packed >> 8), OdUInt8(packed));
      }
      break;
    }
    default: break;
  }
  throw HostError("not a colour", E_INVALIDARG);
}

OdString hostDimVarRefusal(int index, const OdDbDimVarValue& value) {
  if (auto id = std::get_if<OdDbObjectId>(&value)) {
    OdSmartPtr<OdDbSymbolTableRecord> rec = OdDbSymbolTableRecord::cast(id->openObject());
    return hostFormat(hostText(HostText::kNotAnArrowhead).c_str(), rec ? rec->getName().c_str() : "?");
  }
  if (std::holds_alternative<OdString>(value)) return hostText(HostText::kTextWithControl);
  const OdString range = odDbDimVarRangeText(index);
  if (range.empty()) return hostText(HostText::kNotFinite);
  return hostFormat(hostText(HostText::kValueOutOfRange).c_str(), range.c_str());
}

namespace {

OdDbObjectId tableOf(const OdDbDatabase& db, HostRecordTable table) {
  switch (table) {
    case HostRecordTable::kDimStyle: return db.getDimStyleTableId();
    case HostRecordTable::kTextStyle: return db.getTextStyleTableId();
    case HostRecordTable::kLinetype: return db.getLinetypeTableId();
    case HostRecordTable::kArrow: return db.getBlockTableId();
    case HostRecordTable::kLayer: return db.getLayerTableId();
    case HostRecordTable::kNone: break;
  }
  return OdDbObjectId();
}

// The record an identifier or name stands for, checked to belong to the
// right table of this drawing. A null identifier is allowed where the
// variable may name nothing (arrows: closed filled; linetypes: none).
OdDbObjectId recordFromRb(OdDbDatabase* db, const HostSysVarDef& def, const OdResBuf& rb) {
  if (OdResBuf::kindOf(rb.restype()) == OdResBuf::kString) {
    const OdString name = rb.getString();
    if (name.empty() || name == ".") {
      if (def.dotClears) return OdDbObjectId();
      throw HostError(def.name + " must name a record", E_INVALIDARG);
    }
    if (def.table == HostRecordTable::kArrow) {
      try {
        return OdDmUtil::getArrowId(name, db);
      } catch (const OdError& e) {
        if (e.code() != eInvalidInput) throw;
        throw HostError(hostFormat(hostText(HostText::kNotAnArrowhead).c_str(), name.c_str()), E_INVALIDARG);
      }
    }
    OdSmartPtr<OdDbSymbolTable> table = OdDbSymbolTable::cast(tableOf(*db, def.table).openObject());
    OdDbObjectId id = table ? table->getAt(name) : OdDbObjectId();
    if (id.isNull()) throw HostError("\"" + name + "\" not found", E_INVALIDARG);
    return id;
  }
  if (OdResBuf::kindOf(rb.restype()) != OdResBuf::kObjectId) throw HostError("not a record", E_INVALIDARG);
  const OdDbObjectId id = rb.getObjectId();
  if (id.isNull()) {
    if (def.dotClears) return id;
    throw HostError(def.name + " must name a record", E_INVALIDARG);
  }
  OdDbObjectPtr obj = id.openObject();
  if (!obj || id.database() != db || obj->ownerId() != tableOf(*db, def.table))
    throw HostError("the identifier is not a record of the right table of this drawing", E_INVALIDARG);
  return id;
}

OdDbDimVarValue dimValueFromRb(const HostSysVarDef& def, OdDbDatabase* db, const OdResBuf& rb) {
  switch (def.kind) {
    case HostSysVarKind::kDouble: return rb.getDouble();
    case HostSysVarKind::kBool: return rb.getInt64() != 0;
    case HostSysVarKind::kString: return rb.getString();
    case HostSysVarKind::kColor: return hostColorFromRb(rb);
    case HostSysVarKind::kRecord: return recordFromRb(db, def, rb);
    case HostSysVarKind::kSeparator:
      if (OdResBuf::kindOf(rb.restype()) == OdResBuf::kString) return int(static_cast<unsigned char>(rb.getString()[0]));
      return int(rb.getInt64());
    default: return int(rb.getInt64());
  }
}

OdResBufPtr dimValueToRb(const HostSysVarDef& def, const OdDbDimVarValue& v) {
  if (auto d = std::get_if<double>(&v)) return OdResBuf::newRb(def.restype, *d);
  if (auto b = std::get_if<bool>(&v)) return OdResBuf::newRb(def.restype, *b);
  if (auto s = std::get_if<OdString>(&v)) return OdResBuf::newRb(def.restype, *s);
  if (auto c = std::get_if<OdCmColor>(&v)) return hostColorToRb(*c);
  if (auto id = std::get_if<OdDbObjectId>(&v)) return OdResBuf::newRb(def.restype, *id);
  return OdResBuf::newRb(def.restype, OdInt32(std::get<int>(v)));
}

HostSysVarDef dimVariable(int index) {
  const OdDbDimVarDesc& desc = OdDbDimVars::describe(index);
  HostSysVarDef def;
  def.name = desc.name;
  const std::string key = desc.key;
  switch (desc.type) {
    case OdDbDimVarType::kInt16: def.kind = HostSysVarKind::kInt; def.restype = 70; break;
    case OdDbDimVarType::kUInt16:
      def.kind = HostSysVarKind::kInt;
      def.restype = 90;
      def.minValue = 0;
      def.maxValue = 65535;
      break;
    case OdDbDimVarType::kUInt8:
      def.kind = HostSysVarKind::kInt;
      def.restype = 70;
      def.minValue = 0;
      def.maxValue = 255;
      break;
    case OdDbDimVarType::kDouble: def.kind = HostSysVarKind::kDouble; def.restype = 40; break;
    case OdDbDimVarType::kBool: def.kind = HostSysVarKind::kBool; def.restype = 290; break;
    case OdDbDimVarType::kString:
      def.kind = HostSysVarKind::kString;
      def.restype = 1;
      def.dotClears = true;
      break;
    case OdDbDimVarType::kColor: def.kind = HostSysVarKind::kColor; def.restype = 62; break;
    case OdDbDimVarType::kLineWeight: def.kind = HostSysVarKind::kLineWeight; def.restype = 370; break;
    case OdDbDimVarType::kObjectId:
      def.kind = HostSysVarKind::kRecord;
      def.restype = 340;
      def.dotClears = key != "txsty";
      def.table = key == "txsty"                                    ? HostRecordTable::kTextStyle
                  : (key == "ltype" || key == "ltex1" || key == "ltex2") ? HostRecordTable::kLinetype
                                                                         : HostRecordTable::kArrow;
      break;
  }
  if (key == "dsep") {
    def.kind = HostSysVarKind::kSeparator;
    def.minValue = 1;
    def.maxValue = 127;
  }
  def.get = [index, def](const OdDbDatabase* db) { return dimValueToRb(def, db->dimVar(index)); };
  def.set = [index, def](OdDbDatabase* db, const OdResBuf& rb) {
    const OdDbDimVarValue value = dimValueFromRb(def, db, rb);
    if (!odDbDimVarValueAllowed(index, value)) throw HostError(hostDimVarRefusal(index, value), E_INVALIDARG);
    db->setDimVar(index, value);
  };
  return def;
}

HostSysVarDef intVariable(const char* name, long lo, long hi, OdInt16 (OdDbDatabase::*getter)() const,
                          void (OdDbDatabase::*setter)(OdInt16)) {
  HostSysVarDef def;
  def.name = name;
  def.minValue = lo;
  def.maxValue = hi;
  def.get = [getter](const OdDbDatabase* db) { return OdResBuf::newRb(70, (db->*getter)()); };
  def.set = [setter](OdDbDatabase* db, const OdResBuf& rb) { (db->*setter)(OdInt16(rb.getInt64())); };
  return def;
}

HostSysVarDef recordNameVariable(const char* name, HostRecordTable table, OdDbObjectId (OdDbDatabase::*getter)() const,
                                 void (OdDbDatabase::*setter)(OdDbObjectId)) {
  HostSysVarDef def;
  def.name = name;
  def.kind = HostSysVarKind::kRecord;
  def.restype = 340;
  def.table = table;
  def.get = [getter](const OdDbDatabase* db) { return OdResBuf::newRb(340, (db->*getter)()); };
  def.set = [def, setter](OdDbDatabase* db, const OdResBuf& rb) { (db->*setter)(recordFromRb(db, def, rb)); };
  return def;
}

}  // namespace

std::vector<HostSysVarDef> hostBuildSysVarTable(HostSysVars& service) {
  std::vector<HostSysVarDef> defs;
  for (int i = 0; i < OdDbDimVars::kCount; ++i) defs.push_back(dimVariable(i));

  defs.push_back(recordNameVariable("DIMSTYLE", HostRecordTable::kDimStyle, &OdDbDatabase::getDimstyle,
                                    &OdDbDatabase::setDimstyle));
  defs.push_back(recordNameVariable("CLAYER", HostRecordTable::kLayer, &OdDbDatabase::getCLAYER,
                                    &OdDbDatabase::setCLAYER));
  defs.push_back(recordNameVariable("CELTYPE", HostRecordTable::kLinetype, &OdDbDatabase::getCELTYPE,
                                    &OdDbDatabase::setCELTYPE));
  defs.push_back(recordNameVariable("TEXTSTYLE", HostRecordTable::kTextStyle, &OdDbDatabase::getTEXTSTYLE,
                                    &OdDbDatabase::setTEXTSTYLE));
  defs.push_back(intVariable("DIMASO", 0, 1, &OdDbDatabase::getDIMASO, &OdDbDatabase::setDIMASO));
  defs.push_back(intVariable("DIMASSOC", 0, 2, &OdDbDatabase::getDIMASSOC, &OdDbDatabase::setDIMASSOC));
  defs.push_back(intVariable("LWUNITS", 0, 1, &OdDbDatabase::getLWUNITS, &OdDbDatabase::setLWUNITS));
  defs.push_back(intVariable("LUNITS", 1, 5, &OdDbDatabase::getLUNITS, &OdDbDatabase::setLUNITS));
  defs.push_back(intVariable("LUPREC", 0, 8, &OdDbDatabase::getLUPREC, &OdDbDatabase::setLUPREC));
  defs.push_back(intVariable("AUNITS", 0, 4, &OdDbDatabase::getAUNITS, &OdDbDatabase::setAUNITS));
  defs.push_back(intVariable("AUPREC", 0, 8, &OdDbDatabase::getAUPREC, &OdDbDatabase::setAUPREC));
  // The current tab: model space or a layout, by name.
  HostSysVarDef ctab;
  ctab.name = "CTAB";
  ctab.kind = HostSysVarKind::kString;
  ctab.restype = 1;
  ctab.get = [](const OdDbDatabase* db) { return OdResBuf::newRb(1, hostLayoutCaption(db->getCTAB())); };
  ctab.set = [](OdDbDatabase* db, const OdResBuf& rb) { db->setCTAB(hostLayoutNamed(db, rb.getString())); };
  defs.push_back(ctab);
  defs.push_back(intVariable("MIRRTEXT", 0, 1, &OdDbDatabase::getMIRRTEXT, &OdDbDatabase::setMIRRTEXT));
  defs.push_back(intVariable("ORTHOMODE", 0, 1, &OdDbDatabase::getORTHOMODE, &OdDbDatabase::setORTHOMODE));
  defs.push_back(intVariable("OSMODE", 0, 32767, &OdDbDatabase::getOSMODE, &OdDbDatabase::setOSMODE));
  defs.push_back(intVariable("GRIDMODE", 0, 1, &OdDbDatabase::getGRIDMODE, &OdDbDatabase::setGRIDMODE));
  defs.push_back(intVariable("SNAPMODE", 0, 1, &OdDbDatabase::getSNAPMODE, &OdDbDatabase::setSNAPMODE));
  // The spacings as one number, the same along X and Y (a file's differing
  // Y is kept until one is set here).
  for (const bool grid : {true, false}) {
    HostSysVarDef spacing;
    spacing.name = grid ? "GRIDUNIT" : "SNAPUNIT";
    spacing.kind = HostSysVarKind::kDouble;
    spacing.restype = 40;
    spacing.get = [grid](const OdDbDatabase* db) {
      return OdResBuf::newRb(40, grid ? db->getGRIDUNIT(0) : db->getSNAPUNIT(0));
    };
    spacing.set = [grid](OdDbDatabase* db, const OdResBuf& rb) {
      const double v = rb.getDouble();
      grid ? db->setGRIDUNIT(v, v) : db->setSNAPUNIT(v, v);
    };
    defs.push_back(spacing);
  }

  HostSysVarDef measurement;
  measurement.name = "MEASUREMENT";
  measurement.minValue = 0;
  measurement.maxValue = 1;
  measurement.get = [](const OdDbDatabase* db) { return OdResBuf::newRb(70, OdInt16(db->getMEASUREMENT())); };
  measurement.set = [](OdDbDatabase* db, const OdResBuf& rb) {
    db->setMEASUREMENT(OdDb::MeasurementValue(rb.getInt64()));
  };
  defs.push_back(measurement);

  HostSysVarDef cannoscale;
  cannoscale.name = "CANNOSCALE";
  cannoscale.kind = HostSysVarKind::kString;
  cannoscale.restype = 1;
  cannoscale.get = [](const OdDbDatabase* db) { return OdResBuf::newRb(1, db->getCANNOSCALE()); };
  cannoscale.set = [](OdDbDatabase* db, const OdResBuf& rb) {
    if (rb.getString().empty()) throw HostError("CANNOSCALE cannot be empty", E_INVALIDARG);
    db->setCANNOSCALE(rb.getString());
  };
  defs.push_back(cannoscale);

  HostSysVarDef dwgname;
  dwgname.name = "DWGNAME";
  dwgname.kind = HostSysVarKind::kString;
  dwgname.restype = 1;
  dwgname.readOnly = true;
  dwgname.get = [&service](const OdDbDatabase* db) -> OdResBufPtr {
    HostApDocument* doc = service.documentFor(db);
    return OdResBuf::newRb(1, doc ? doc->title() : OdString());
  };
  defs.push_back(dwgname);

  // The form saves of the drawing write: 1 binary DXF, 0 text. A drawing
  // read from a binary file starts at 1, any other at 0.
  HostSysVarDef dxfbinary;
  dxfbinary.name = "DXFBINARY";
  dxfbinary.minValue = 0;
  dxfbinary.maxValue = 1;
  dxfbinary.get = [&service](const OdDbDatabase* db) -> OdResBufPtr {
    HostApDocument* doc = service.documentFor(db);
    return doc ? OdResBuf::newRb(70, OdInt16(doc->savesBinary() ? 1 : 0)) : OdResBufPtr();
  };
  dxfbinary.set = [&service](OdDbDatabase* db, const OdResBuf& rb) {
    HostApDocument* doc = service.documentFor(db);
    if (!doc) throw HostError("no drawing", E_FAIL);
    doc->setSavesBinary(rb.getInt64() != 0);
  };
  defs.push_back(dxfbinary);

  HostSysVarDef cmdactive;
  cmdactive.name = "CMDACTIVE";
  cmdactive.restype = 90;
  cmdactive.perDrawing = false;
  cmdactive.readOnly = true;
  cmdactive.get = [&service](const OdDbDatabase*) { return OdResBuf::newRb(90, OdInt32(service.commandActive())); };
  defs.push_back(cmdactive);

  HostSysVarDef measureinit;
  measureinit.name = "MEASUREINIT";
  measureinit.perDrawing = false;
  measureinit.minValue = 0;
  measureinit.maxValue = 1;
  measureinit.get = [&service](const OdDbDatabase*) { return OdResBuf::newRb(70, OdInt16(service.measureInit())); };
  measureinit.set = [&service](OdDbDatabase*, const OdResBuf& rb) { service.setMeasureInit(int(rb.getInt64())); };
  defs.push_back(measureinit);

  std::sort(defs.begin(), defs.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  return defs;
}
