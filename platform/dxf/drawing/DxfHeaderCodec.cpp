#include "DxfHeaderCodec.h"

#include <algorithm>
#include <cmath>

#include "DxfDimVarCodec.h"
#include "DxfWriter.h"
#include "OdDbDatabase.h"
#include "OdDbSymbolTableRecord.h"

namespace {

// Header variables that name a record, and the table they name it in.
char nameTable(std::string_view key) {
  if (key == "blk" || key == "blk1" || key == "blk2" || key == "ldrblk") return 'B';
  if (key == "txsty") return 'S';
  if (key == "ltype" || key == "ltex1" || key == "ltex2") return 'T';
  return 0;
}

// The header name of a dimension variable: "$DIMASZ". The four variables
// the format has no code for get a name of this system's own, which other
// programs keep as an unknown header variable.
std::string headerName(int index) {
  const OdDbDimVarDesc& d = OdDbDimVars::describe(index);
  return (d.dxfCode == 0 ? "$QRV_" : "$") + std::string(d.name);
}

// The header holds a colour variable as an index only. A true colour goes
// into a variable of this system's own beside it ("$QRV_DIMCLRD", 420),
// which other programs keep or drop without harm.
std::string trueColorName(int index) { return "$QRV_" + std::string(OdDbDimVars::describe(index).name); }

OdString recordName(OdDbObjectId id) {
  OdDbObjectPtr obj = id.openObject();
  auto rec = OdDbSymbolTableRecord::cast(obj.get());
  return rec ? rec->getName() : OdString();
}

}  // namespace

bool dxfHeaderVariableInR12(std::string_view name) {
  if (name == "$MEASUREMENT" || name == "$LWUNITS" || name == "$CANNOSCALE") return false;
  for (int i = 0; i < OdDbDimVars::kCount; ++i) {
    if (name != headerName(i)) continue;
    const std::string_view key = OdDbDimVars::describe(i).key;
    // R12 names its arrowheads in the header, as in its DIMSTYLE entries.
    return key == "blk" || key == "blk1" || key == "blk2" || dxfDimVarSince(i) == DxfVersion::R12;
  }
  return true;
}

std::string dxfHeaderNameInR12(const std::string& name) {
  if (dxfHeaderVariableInR12(name) || name.rfind("$QRV_", 0) == 0) return name;
  return "$QRV_" + name.substr(1);
}

bool dxfReadHeaderVariable(const DxfDocument& doc, const DxfHeaderVariable& variable, OdDbHeaderVars& vars,
                           const DxfNameResolver& resolve) {
  DxfTagRange range = doc.tags(variable);
  auto it = range.begin();
  if (it == range.end()) return false;
  const DxfTag tag = *it;
  // A variable an R12 file cannot hold, under the name of this system's
  // own it was saved with ("$QRV_DIMADEC").
  std::string unprefixed;
  std::string_view name = variable.name;
  if (name.rfind("$QRV_", 0) == 0 && !dxfHeaderVariableInR12(unprefixed = "$" + std::string(name.substr(5))))
    name = unprefixed;
  auto text = [&] { return doc.text(tag); };
  if (name == "$DIMSTYLE") return vars.dimstyle = resolve('D', text()), true;
  if (name == "$CLAYER") return vars.clayer = resolve('L', text()), true;
  if (name == "$CELTYPE") return vars.celtype = resolve('T', text()), true;
  if (name == "$TEXTSTYLE") return vars.textstyle = resolve('S', text()), true;
  if (name == "$DIMASO") return vars.dimaso = OdInt16(tag.toInt()), true;
  // Kept as the file has it; a value other than 0 and 1 associates.
  if (name == "$DIMASSOC") return vars.dimassoc = OdInt16(std::clamp<long long>(tag.toInt(), -32768, 32767)), true;
  if (name == "$MEASUREMENT") return vars.measurement = OdInt16(tag.toInt()), true;
  if (name == "$LWUNITS") return vars.lwunits = OdInt16(tag.toInt()), true;
  if (name == "$CANNOSCALE") return vars.cannoscale = text(), true;
  if (name == "$LUNITS") return vars.lunits = OdInt16(tag.toInt()), true;
  if (name == "$LUPREC") return vars.luprec = OdInt16(tag.toInt()), true;
  if (name == "$AUNITS") return vars.aunits = OdInt16(tag.toInt()), true;
  if (name == "$AUPREC") return vars.auprec = OdInt16(tag.toInt()), true;
  if (name == "$MIRRTEXT") return vars.mirrtext = tag.toInt() != 0, true;
  if (name == "$ORTHOMODE") return vars.orthomode = tag.toInt() != 0, true;
  if (name == "$OSMODE") return vars.osmode = OdInt16(std::clamp<long long>(tag.toInt(), 0, 32767)), true;
  if (name == "$GRIDMODE") return vars.gridmode = tag.toInt() != 0, true;
  // Kept as the file has them: a figure this system does not know is drawn
  // as a dot, a size that is not a number as 0.
  if (name == "$PDMODE") return vars.pdmode = OdInt16(std::clamp<long long>(tag.toInt(), -32768, 32767)), true;
  if (name == "$PDSIZE") return vars.pdsize = std::isfinite(tag.toDouble()) ? tag.toDouble() : 0.0, true;
  if (name == "$SNAPMODE") return vars.snapmode = tag.toInt() != 0, true;
  if (name == "$GRIDUNIT" || name == "$SNAPUNIT") {
    double* unit = name == "$GRIDUNIT" ? vars.gridunit : vars.snapunit;
    // A spacing that is none (0, negative, not a number) leaves the default.
    for (const DxfTag& t : range)
      if ((t.code == 10 || t.code == 20) && t.toDouble() > 0 && std::isfinite(t.toDouble()))
        unit[t.code == 20] = t.toDouble();
    return true;
  }
  for (int i = 0; i < OdDbDimVars::kCount; ++i) {
    if (name != headerName(i)) continue;
    const OdDbDimVarDesc& d = OdDbDimVars::describe(i);
    switch (d.type) {
      case OdDbDimVarType::kDouble: vars.dim.set(i, tag.toDouble()); break;
      case OdDbDimVarType::kString: vars.dim.set(i, OdString(text())); break;
      case OdDbDimVarType::kColor: vars.dim.set(i, OdCmColor::fromIndex(OdInt16(tag.toInt()))); break;
      case OdDbDimVarType::kObjectId: vars.dim.set(i, resolve(nameTable(d.key), text())); break;
      case OdDbDimVarType::kBool: vars.dim.set(i, tag.toInt() != 0); break;
      default: vars.dim.set(i, int(tag.toInt())); break;
    }
    return true;
  }
  return false;
}

void dxfReadHeaderTrueColors(const DxfDocument& doc, OdDbHeaderVars& vars) {
  for (int i = 0; i < OdDbDimVars::kCount; ++i) {
    if (OdDbDimVars::describe(i).type != OdDbDimVarType::kColor) continue;
    const DxfHeaderVariable* v = doc.headerVariable(trueColorName(i));
    if (!v) continue;
    for (const DxfTag& t : doc.tags(*v)) {
      if (t.code != 420) continue;
      std::int64_t rgb = 0;
      if (!dxfParseInt(t.trimmed(), rgb) || rgb < 0 || rgb > 0xFFFFFF) break;
      const OdCmColor color = OdCmColor::fromRGB(OdUInt8(rgb >> 16), OdUInt8(rgb >> 8), OdUInt8(rgb));
      // A program that changed the index and kept this variable as it was
      // has the last word: the true colour counts only while it still
      // matches the index.
      if (std::get<OdCmColor>(vars.dim.get(i)).colorIndex() == color.colorIndex()) vars.dim.set(i, color);
      break;
    }
  }
}

std::vector<std::pair<std::string, std::string>> dxfHeaderVariableTexts(const OdDbDatabase& db, DxfVersion version,
                                                                        DxfCodePage codePage,
                                                                        DxfLineEnding lineEnding) {
  std::vector<std::pair<std::string, std::string>> out;
  const OdDbHeaderVars& h = db.headerVars();
  auto add = [&](std::string name, auto&& write) {
    DxfWriter w(lineEnding);
    write(w);
    // What R12 has no variable for goes under a name of this system's own.
    out.emplace_back(version < DxfVersion::R13 ? dxfHeaderNameInR12(name) : std::move(name), w.release());
  };
  auto str = [&](DxfWriter& w, int code, const OdString& s) { w.text(code, dxfEncodeText(s, codePage)); };
  add("$DIMSTYLE", [&](DxfWriter& w) { str(w, 2, recordName(h.dimstyle)); });
  add("$CLAYER", [&](DxfWriter& w) { str(w, 8, recordName(h.clayer)); });
  add("$CELTYPE", [&](DxfWriter& w) { str(w, 6, recordName(h.celtype)); });
  add("$TEXTSTYLE", [&](DxfWriter& w) { str(w, 7, recordName(h.textstyle)); });
  add("$DIMASO", [&](DxfWriter& w) { w.integer(70, h.dimaso); });
  add("$DIMASSOC", [&](DxfWriter& w) { w.integer(280, h.dimassoc); });
  add("$MEASUREMENT", [&](DxfWriter& w) { w.integer(70, h.measurement); });
  add("$LWUNITS", [&](DxfWriter& w) { w.integer(70, h.lwunits); });
  add("$CANNOSCALE", [&](DxfWriter& w) { str(w, 1, h.cannoscale); });
  add("$LUNITS", [&](DxfWriter& w) { w.integer(70, h.lunits); });
  add("$LUPREC", [&](DxfWriter& w) { w.integer(70, h.luprec); });
  add("$AUNITS", [&](DxfWriter& w) { w.integer(70, h.aunits); });
  add("$AUPREC", [&](DxfWriter& w) { w.integer(70, h.auprec); });
  add("$MIRRTEXT", [&](DxfWriter& w) { w.integer(70, h.mirrtext); });
  add("$ORTHOMODE", [&](DxfWriter& w) { w.integer(70, h.orthomode); });
  add("$OSMODE", [&](DxfWriter& w) { w.integer(70, h.osmode); });
  add("$PDMODE", [&](DxfWriter& w) { w.integer(70, h.pdmode); });
  add("$PDSIZE", [&](DxfWriter& w) { w.real(40, h.pdsize); });
  // Files since R11 keep these four in the active viewport, which wins
  // over the header where it exists; the writer brings it up to date.
  add("$GRIDMODE", [&](DxfWriter& w) { w.integer(70, h.gridmode); });
  add("$GRIDUNIT", [&](DxfWriter& w) { w.real(10, h.gridunit[0]), w.real(20, h.gridunit[1]); });
  add("$SNAPMODE", [&](DxfWriter& w) { w.integer(70, h.snapmode); });
  add("$SNAPUNIT", [&](DxfWriter& w) { w.real(10, h.snapunit[0]), w.real(20, h.snapunit[1]); });
  for (int i = 0; i < OdDbDimVars::kCount; ++i) {
    const OdDbDimVarDesc& d = OdDbDimVars::describe(i);
    const OdDbDimVarValue v = h.dim.get(i);
    add(headerName(i), [&](DxfWriter& w) {
      switch (d.type) {
        case OdDbDimVarType::kDouble: w.real(40, std::get<double>(v)); break;
        case OdDbDimVarType::kString: str(w, 1, std::get<OdString>(v)); break;
        case OdDbDimVarType::kColor:
          w.integer(std::string_view(d.key) == "tfillclr" ? 62 : 70, std::get<OdCmColor>(v).colorIndex());
          break;
        case OdDbDimVarType::kObjectId: {
          const char table = nameTable(d.key);
          str(w, table == 'S' ? 7 : table == 'T' ? 6 : 1, recordName(std::get<OdDbObjectId>(v)));
          break;
        }
        case OdDbDimVarType::kBool: w.integer(70, std::get<bool>(v) ? 1 : 0); break;
        default: w.integer(70, std::get<int>(v)); break;
      }
    });
    if (d.type == OdDbDimVarType::kColor) {
      const OdCmColor c = std::get<OdCmColor>(v);
      add(trueColorName(i), [&](DxfWriter& w) {
        if (c.isByColor()) w.integer(420, std::int64_t(c.rgb24()));
      });
    }
  }
  return out;
}
