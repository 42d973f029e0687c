#include "opm/list_kinds.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "OdDbDatabase.h"
#include "OdDbLinetypeTableRecord.h"
#include "OdDbSymbolTable.h"
#include "OdStringUtil.h"
#include "opm/opm_services.h"
#include "opm/palette_texts.h"
#include "text_format.h"
#include "translation.h"
#include "units/host_units.h"

namespace opm::kinds {

namespace {

// Whole numbers low..high.
bool parseSmallInt(const OdString& text, int low, int high, int& value) {
  if (text.empty() || text.size() > 4) return false;
  int v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  if (v < low || v > high) return false;
  value = v;
  return true;
}

}  // namespace

OdString say(const char* english, const char* context) {
  hostRegisterPaletteTexts();
  return Supp_Translate(english, context);
}

bool isLiteral(const OdString& text, const char* english, const char* context) {
  return qrv::equalNoCase(text, english) || qrv::equalNoCase(text, say(english, context));
}

OdString trimmed(const OdString& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == OdString::npos) return OdString();
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// ---- colours ----

OdString colorText(const OdCmColor& color, bool renamePrimaries) {
  if (color.isByLayer()) return say("By Layer");
  if (color.isByBlock()) return say("By Block");
  if (color.isForeground()) return say("Foreground");
  if (color.isNone()) return say("None");
  if (color.isByACI() && color.colorIndex() > 7) return color.colorNameForDisplay();  // "Color 42" in every language
  if (renamePrimaries && color.isByColor()) {
    // A true colour that is exactly a primary reads as its name.
    for (int i = 1; i <= 6; ++i) {
      OdUInt8 r = 0, g = 0, b = 0;
      OdCmColor::paletteRGB(i, r, g, b);
      if (color.red() == r && color.green() == g && color.blue() == b) return say(OdCmColor::primaryColorName(i));
    }
  }
  if (color.isByACI()) return say(OdCmColor::primaryColorName(color.colorIndex()));
  return color.colorNameForDisplay();
}

std::vector<OdCmColor> standardColors(bool byLayerAndBlock) {
  std::vector<OdCmColor> colors;
  if (byLayerAndBlock) {
    colors.push_back(OdCmColor(OdCmColor::kByLayer));
    colors.push_back(OdCmColor(OdCmColor::kByBlock));
  }
  for (int i = 1; i <= 7; ++i) colors.push_back(OdCmColor::fromIndex(OdInt16(i)));
  return colors;
}

bool parseColor(const OdString& text, bool byLayerAndBlock, OdCmColor& color, OdString& message) {
  const OdString t = trimmed(text);
  const bool byLayer = isLiteral(t, "By Layer") || isLiteral(t, "ByLayer");
  const bool byBlock = isLiteral(t, "By Block") || isLiteral(t, "ByBlock");
  if (byLayer || byBlock) {
    if (!byLayerAndBlock) {
      message = hostFormat(say("\"%s\" is not a colour this row can take").c_str(), t.c_str());
      return false;
    }
    color = OdCmColor(byLayer ? OdCmColor::kByLayer : OdCmColor::kByBlock);
    return true;
  }
  if (isLiteral(t, "Foreground")) {
    color = OdCmColor(OdCmColor::kForeground);
    return true;
  }
  for (int i = 1; i <= 7; ++i)
    if (isLiteral(t, OdCmColor::primaryColorName(i))) {
      color = OdCmColor::fromIndex(OdInt16(i));
      return true;
    }
  OdString index = t;
  if (qrv::toUpper(t).rfind("COLOR ", 0) == 0) index = trimmed(t.substr(6));
  int n = 0;
  if (parseSmallInt(index, 1, 255, n)) {
    color = OdCmColor::fromIndex(OdInt16(n));
    return true;
  }
  int rgb[3];
  std::size_t pos = 0;
  for (int k = 0; k < 3; ++k) {
    const std::size_t comma = k < 2 ? t.find(',', pos) : t.size();
    if (comma == OdString::npos || !parseSmallInt(trimmed(t.substr(pos, comma - pos)), 0, 255, rgb[k])) {
      message = hostFormat(say("\"%s\" is not a colour (a name, 1..255, or R,G,B)").c_str(), t.c_str());
      return false;
    }
    pos = comma + 1;
  }
  color = OdCmColor::fromRGB(OdUInt8(rgb[0]), OdUInt8(rgb[1]), OdUInt8(rgb[2]));
  return true;
}

PZItemPicture colorPicture(const OdCmColor& color) {
  PZItemPicture p;
  p.kind = PZItemPicture::Kind::kColor;
  p.color = color;
  return p;
}

std::vector<OdCmColor> ColorList::colors() const {
  std::vector<OdCmColor> colors = standardColors(m_byLayerAndBlock);
  for (const OdCmColor& c : hostGetCustomColors()) colors.push_back(c);
  return colors;
}

std::vector<OdString> ColorList::texts() const {
  std::vector<OdString> texts;
  for (const OdCmColor& c : colors()) texts.push_back(colorText(c));
  texts.push_back(say("More Colors..."));
  return texts;
}

PZItemPicture ColorList::picture(int index) const {
  const std::vector<OdCmColor> list = colors();
  return index >= 0 && index < int(list.size()) ? colorPicture(list[std::size_t(index)]) : PZItemPicture{};
}

bool ColorList::isPicker(const OdString& text) { return isLiteral(text, "More Colors..."); }

bool ColorList::pick(HostWindowHandle owner, OdCmColor& color, OdString& message) const {
  OdCmColor chosen = color;
  if (!hostSetColorDialogTrueColor(owner, chosen, m_byLayerAndBlock, 7)) {
    message = say("Cancelled.");
    return false;
  }
  hostAddCustomColor(chosen);
  color = chosen;
  return true;
}

// ---- linetypes ----

OdString linetypeText(const OdString& name) {
  if (qrv::equalNoCase(name, "ByLayer")) return say("By Layer");
  if (qrv::equalNoCase(name, "ByBlock")) return say("By Block");
  if (qrv::equalNoCase(name, "Continuous")) return say("Continuous");
  if (name == kOtherLinetypeMarker) return say("Load") + "...";
  return name;
}

std::vector<OdString> linetypeNames(OdDbDatabase* db) {
  std::vector<OdString> names = {"ByLayer", "ByBlock", "Continuous"};
  if (!db) return names;
  OdDbObjectPtr table = db->getLinetypeTableId().openObject();
  const auto* linetypes = dynamic_cast<const OdDbSymbolTable*>(table.get());
  if (!linetypes) return names;
  std::vector<OdString> others;
  for (OdDbObjectId id : linetypes->recordIds()) {
    OdDbObjectPtr obj = id.openObject();
    const auto* rec = dynamic_cast<const OdDbSymbolTableRecord*>(obj.get());
    if (!rec || rec->isDependent()) continue;
    const OdString& name = rec->getName();
    if (std::none_of(names.begin(), names.end(), [&](const OdString& n) { return qrv::equalNoCase(n, name); }))
      others.push_back(name);
  }
  std::sort(others.begin(), others.end(),
            [](const OdString& a, const OdString& b) { return qrv::foldCase(a) < qrv::foldCase(b); });
  names.insert(names.end(), others.begin(), others.end());
  return names;
}

bool parseLinetype(const OdString& text, OdDbDatabase* db, OdString& name, OdString& message) {
  const OdString t = trimmed(text);
  for (const OdString& candidate : linetypeNames(db)) {
    if (qrv::equalNoCase(t, candidate) || t == linetypeText(candidate) ||
        (candidate == "ByLayer" && isLiteral(t, "By Layer")) || (candidate == "ByBlock" && isLiteral(t, "By Block")) ||
        (candidate == "Continuous" && isLiteral(t, "Continuous"))) {
      name = candidate;
      return true;
    }
  }
  message = hostFormat(say("\"%s\" is not a linetype of this drawing; \"Load...\" loads one from a linetype file").c_str(),
                       t.c_str());
  return false;
}

PZItemPicture linetypePicture(OdDbDatabase* db, const OdString& name) {
  PZItemPicture p;
  p.kind = PZItemPicture::Kind::kLinetype;
  if (!db) return p;
  OdDbObjectPtr table = db->getLinetypeTableId().openObject();
  if (const auto* linetypes = dynamic_cast<const OdDbSymbolTable*>(table.get())) {
    OdDbObjectPtr rec = linetypes->getAt(name).openObject();
    if (const auto* lt = dynamic_cast<const OdDbLinetypeTableRecord*>(rec.get())) p.dashes = lt->dashes();
  }
  return p;
}

std::vector<OdString> LinetypeList::texts() const {
  std::vector<OdString> texts;
  for (const OdString& name : names()) texts.push_back(linetypeText(name));
  texts.push_back(linetypeText(kOtherLinetypeMarker));
  return texts;
}

PZItemPicture LinetypeList::picture(int index) const {
  const std::vector<OdString> list = names();
  return index >= 0 && index < int(list.size()) ? linetypePicture(m_db, list[std::size_t(index)]) : PZItemPicture{};
}

bool LinetypeList::isPicker(const OdString& text) {
  return text == linetypeText(kOtherLinetypeMarker) || qrv::equalNoCase(text, "Load...");
}

bool LinetypeList::pick(HostWindowHandle owner, OdString& name, OdString& message) const {
  OdString chosen = name;
  if (!hostLineTypeDialog(owner, chosen)) {
    message = say("Cancelled.");
    return false;
  }
  return parseLinetype(chosen, m_db, name, message);
}

// ---- lineweights ----

OdString lineweightText(OdDb::LineWeight lw) {
  switch (lw) {
    case OdDb::kLnWtByLwDefault: return say("ByDefault");
    case OdDb::kLnWtByBlock: return say("ByBlock");
    case OdDb::kLnWtByLayer: return say("ByLayer");
    default: break;
  }
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.2f", int(lw) / 100.0);
  return buf;
}

OdString lineweightItemText(OdDb::LineWeight lw, int lwunits) {
  if (lw < 0) return lineweightText(lw);
  char buf[32];
  if (lwunits == 0) {
    std::snprintf(buf, sizeof buf, "%.3f''", int(lw) / 100.0 / 25.4);
    return buf;
  }
  std::snprintf(buf, sizeof buf, "%.2f", int(lw) / 100.0);
  return OdString(buf) + " " + say("mm");
}

std::vector<OdDb::LineWeight> lineweightItems() {
  std::vector<OdDb::LineWeight> items = {OdDb::kLnWtByLayer, OdDb::kLnWtByBlock, OdDb::kLnWtByLwDefault};
  const std::vector<OdDb::LineWeight>& widths = OdDb::standardLineWeights();
  items.insert(items.end(), widths.begin(), widths.end());
  return items;
}

bool parseLineweight(const OdString& text, OdDb::LineWeight& lw, OdString& message) {
  OdString t = trimmed(text);
  for (OdDb::LineWeight candidate : {OdDb::kLnWtByLayer, OdDb::kLnWtByBlock, OdDb::kLnWtByLwDefault}) {
    const char* english = candidate == OdDb::kLnWtByLayer   ? "ByLayer"
                          : candidate == OdDb::kLnWtByBlock ? "ByBlock"
                                                            : "ByDefault";
    if (isLiteral(t, english) || (candidate != OdDb::kLnWtByLwDefault &&
                                  isLiteral(t, candidate == OdDb::kLnWtByLayer ? "By Layer" : "By Block"))) {
      lw = candidate;
      return true;
    }
  }
  // A width in millimetres, with or without the unit, or in inches marked
  // ''; it must be one of the standard widths, as drawing files hold no other.
  if (t.size() > 2 && t.compare(t.size() - 2, 2, "''") == 0) {
    for (OdDb::LineWeight candidate : OdDb::standardLineWeights())
      if (lineweightItemText(candidate, 0) == t) {
        lw = candidate;
        return true;
      }
  }
  for (const OdString& unit : {OdString("mm"), say("mm")}) {
    if (t.size() > unit.size() && t.compare(t.size() - unit.size(), unit.size(), unit) == 0) {
      t = trimmed(t.substr(0, t.size() - unit.size()));
      break;
    }
  }
  double mm = 0;
  if (hostdbDisToF(t, 2, mm)) {
    for (OdDb::LineWeight candidate : OdDb::standardLineWeights())
      if (std::fabs(int(candidate) / 100.0 - mm) < 0.001) {
        lw = candidate;
        return true;
      }
  }
  message = hostFormat(
      say("\"%s\" is not a lineweight (ByLayer, ByBlock, ByDefault or a standard width in mm)").c_str(), t.c_str());
  return false;
}

std::vector<OdString> LineweightList::texts() const {
  std::vector<OdString> texts;
  for (OdDb::LineWeight lw : lineweightItems()) texts.push_back(lineweightItemText(lw, m_lwunits));
  return texts;
}

PZItemPicture LineweightList::picture(int index) const {
  const std::vector<OdDb::LineWeight> items = lineweightItems();
  if (index < 0 || index >= int(items.size())) return {};
  PZItemPicture p;
  p.kind = PZItemPicture::Kind::kLineweight;
  p.lineweight = int(items[std::size_t(index)]);
  return p;
}

}  // namespace opm::kinds
