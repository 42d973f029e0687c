#include "dimprops/value_kinds.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "OdDbSymbolTable.h"
#include "OdDbSymbolTableRecord.h"
#include "OdDmUtil.h"
#include "OdStringUtil.h"
#include "stdafx/module_resources.h"
#include "stdafx/value_text.h"
#include "text_format.h"
#include "units/host_units.h"

namespace dds::kinds {
namespace {

OdString trimmed(const OdString& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == OdString::npos) return OdString();
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// A literal matched in the session's language or in English.
bool isLiteral(const OdString& text, const char* english, const char* context = "") {
  return qrv::equalNoCase(text, english) || qrv::equalNoCase(text, translate(english, context));
}

OdString invalidExpression(const OdString& text) {
  return hostFormat("%s %s", translate("Invalid expression:").c_str(), text.c_str());
}

// The host's number reader first, then its expression evaluator.
bool readNumber(const OdString& text, int unitFormat, double& value) {
  if (hostdbDisToF(text, unitFormat, value)) return true;
  return hostEvaluateExpression(text, value);
}

// Whole numbers 0..n.
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

const char* const kPrimaryNames[] = {"red", "yellow", "green", "cyan", "blue", "magenta", "white"};

}  // namespace

// ---- switch and choice ----

std::vector<OdString> switchItems(bool onOff) {
  return {loadString(onOff ? 1189 : 1065), loadString(onOff ? 1190 : 1066)};
}

bool parseSwitch(const OdString& text, bool onOff, bool& value) {
  const OdString t = trimmed(text);
  const unsigned ids[2][2] = {{1189, 1190}, {1065, 1066}};
  for (int set = onOff ? 0 : 1; set < 2; ++set) {
    for (int i = 0; i < 2; ++i) {
      if (t == loadString(ids[set][i]) || qrv::equalNoCase(t, loadStringEnglish(ids[set][i]))) {
        value = i == 0;
        return true;
      }
    }
  }
  if (t == "1" || t == "0") {
    value = t == "1";
    return true;
  }
  return false;
}

int findItem(const std::vector<OdString>& items, const std::vector<OdString>& englishItems,
             const OdString& text) {
  for (int i = int(items.size()) - 1; i >= 0; --i)
    if (items[std::size_t(i)] == text) return i;
  for (int i = int(englishItems.size()) - 1; i >= 0; --i)
    if (englishItems[std::size_t(i)] == text) return i;
  return -1;
}

// ---- numbers ----

// Palette numbers always take the point as decimal separator: it is what the
// readers take back, and a point's coordinates are separated by commas.
constexpr int kPaletteSeparator = '.';

OdString lengthText(double value, int unitFormat) {
  OdString text;
  hostdbRToS(value, unitFormat, -1, text, -1, kPaletteSeparator);
  return text;
}

bool parseLength(const OdString& text, int unitFormat, double& value, OdString& message) {
  const OdString t = trimmed(text);
  if (readNumber(t, unitFormat, value)) return true;
  message = invalidExpression(t);
  return false;
}

OdString realText(double value) {
  OdString text;
  hostdbRToS(value, 2, -1, text, -1, kPaletteSeparator);
  return text;
}

bool parseReal(const OdString& text, double minimum, double maximum, double& value,
               OdString& message) {
  double v = 0;
  if (!parseLength(text, 2, v, message)) return false;
  if (v >= minimum && v <= maximum) {
    value = v;
    return true;
  }
  // With a bound at a 32-bit limit the message names the bound the value
  // passed, so that 1e12 is told the maximum and -1e12 the minimum.
  const bool openAbove = std::fabs(maximum - 2147483647.0) < 0.001;
  const bool openBelow = std::fabs(minimum + 2147483648.0) < 0.001;
  if ((openAbove || openBelow) && v < minimum)
    message = hostFormat(translate("Value must be more %s").c_str(), realText(minimum).c_str());
  else if (openAbove || openBelow)
    message = hostFormat(translate("Value must be less %s").c_str(), realText(maximum).c_str());
  else
    message = hostFormat(translate("Value must be between %s and %s").c_str(), realText(minimum).c_str(),
                         realText(maximum).c_str());
  return false;
}

OdString angleText(double radians) {
  OdString text;
  hostdbAngToS(radians, -1, -1, text, -1, kPaletteSeparator, kAngleKeepAsGiven | kAngleAllZerosShown);
  return text;
}

bool parseAngle(const OdString& text, double& radians, OdString& message) {
  const OdString t = trimmed(text);
  const int options = kAngleKeepAsGiven | kAngleAllZerosShown;
  if (hostdbAngToF(t, -1, radians, options)) return true;
  double number = 0;
  if (hostEvaluateExpression(t, number)) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%lf", number);
    if (hostdbAngToF(buf, -1, radians, options)) return true;
  }
  message = invalidExpression(t);
  return false;
}

OdString pointText(const OdGePoint3d& p, int unitFormat) {
  return lengthText(p.x, unitFormat) + ", " + lengthText(p.y, unitFormat) + ", " +
         lengthText(p.z, unitFormat);
}

bool parsePoint(const OdString& text, int unitFormat, OdGePoint3d& p, OdString& message) {
  std::vector<OdString> parts;
  std::size_t pos = 0;
  while (true) {
    const std::size_t comma = text.find(',', pos);
    parts.push_back(trimmed(text.substr(pos, comma == OdString::npos ? OdString::npos : comma - pos)));
    if (comma == OdString::npos) break;
    pos = comma + 1;
  }
  if (parts.size() < 2 || parts.size() > 3) {
    message = invalidExpression(trimmed(text));
    return false;
  }
  double c[3] = {p.x, p.y, p.z};
  for (std::size_t i = 0; i < parts.size(); ++i)
    if (!parseLength(parts[i], unitFormat, c[i], message)) return false;
  p = OdGePoint3d(c[0], c[1], c[2]);
  return true;
}

// ---- arrowheads ----

OdString arrowText(const OdString& blockName) { return arrowDisplayName(blockName); }

std::vector<OdString> arrowItemNames() {
  std::vector<OdString> names = OdDmUtil::builtInArrowNames();
  names.push_back(kUserArrowMarker);
  return names;
}

bool parseArrow(const OdString& text, OdDbDatabase* db, OdString& blockName, OdString& message) {
  const OdString t = trimmed(text);
  if (arrowForDisplayName(t, blockName)) return true;
  if (OdDmUtil::isBuiltInArrow(t)) {
    for (const OdString& name : OdDmUtil::builtInArrowNames())
      if (!name.empty() && (qrv::equalNoCase(name, t) || qrv::equalNoCase(name.substr(1), t))) {
        blockName = name;
        return true;
      }
  }
  if (db && !t.empty()) {
    OdDbObjectPtr table = db->getBlockTableId().openObject();
    const auto* blocks = dynamic_cast<const OdDbSymbolTable*>(table.get());
    const OdDbObjectId id = blocks ? blocks->getAt(t) : OdDbObjectId();
    OdDbObjectPtr obj = id.openObject();
    const auto* block = dynamic_cast<const OdDbBlockTableRecord*>(obj.get());
    if (block && !block->isLayout() && !block->isAnonymous() && !block->isDependent()) {
      blockName = block->getName();
      return true;
    }
    if (block) {
      message = hostFormat(translate("\"%s\" is a layout, anonymous or external block and cannot be an arrowhead").c_str(),
                           t.c_str());
      return false;
    }
  }
  message = hostFormat(translate("\"%s\" is neither an arrowhead nor a block of the drawing").c_str(), t.c_str());
  return false;
}

// ---- colours ----

OdString colorText(const OdCmColor& color, bool renamePrimaries) {
  if (color.isByLayer()) return translate("By Layer");
  if (color.isByBlock()) return translate("By Block");
  if (color.isForeground()) return translate("Foreground");
  if (color.isNone()) return translate("None");
  OdString name = color.colorNameForDisplay();
  if (renamePrimaries && color.isByColor()) {
    static const char* const kRgb[][2] = {{"255,0,0", "red"},     {"255,255,0", "yellow"},
                                          {"0,255,0", "green"},   {"0,255,255", "cyan"},
                                          {"0,0,255", "blue"},    {"255,0,255", "magenta"}};
    for (const auto& pair : kRgb)
      if (name == pair[0]) name = pair[1];
  }
  if (color.isByACI() && color.colorIndex() > 7) {
    // "Color 42" keeps its number in every language.
    return name;
  }
  return translate(name);
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
      message = hostFormat(translate("\"%s\" is not a colour this row can take").c_str(), t.c_str());
      return false;
    }
    color = OdCmColor(byLayer ? OdCmColor::kByLayer : OdCmColor::kByBlock);
    return true;
  }
  if (isLiteral(t, "Foreground")) {
    color = OdCmColor(OdCmColor::kForeground);
    return true;
  }
  for (int i = 0; i < 7; ++i)
    if (isLiteral(t, kPrimaryNames[i])) {
      color = OdCmColor::fromIndex(OdInt16(i + 1));
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
      message = hostFormat(translate("\"%s\" is not a colour (a name, 1..255, or R,G,B)").c_str(), t.c_str());
      return false;
    }
    pos = comma + 1;
  }
  color = OdCmColor::fromRGB(OdUInt8(rgb[0]), OdUInt8(rgb[1]), OdUInt8(rgb[2]));
  return true;
}

OdString fillColorText(const QrFillColor& fill) {
  if (fill.mode == 0) return translate("None");
  if (fill.mode == 1) return translate("Background");
  return colorText(fill.color, false);
}

bool parseFillColor(const OdString& text, QrFillColor& fill, OdString& message) {
  const OdString t = trimmed(text);
  if (isLiteral(t, "None")) {
    fill = QrFillColor{0, fill.color};
    return true;
  }
  if (isLiteral(t, "Background")) {
    fill = QrFillColor{1, fill.color};
    return true;
  }
  OdCmColor color;
  if (!parseColor(t, true, color, message)) return false;
  fill = QrFillColor{2, color};
  return true;
}

// ---- linetypes ----

OdString linetypeText(const OdString& name) {
  static const OdString byLayer = translate("By Layer");
  static const OdString byBlock = translate("By Block");
  static const OdString continuous = translate("Continuous");
  if (qrv::equalNoCase(name, "ByLayer")) return byLayer;
  if (qrv::equalNoCase(name, "ByBlock")) return byBlock;
  if (qrv::equalNoCase(name, "Continuous")) return continuous;
  if (name == kOtherLinetypeMarker) return translate("Load") + "...";
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
        (candidate == "ByLayer" && isLiteral(t, "By Layer")) ||
        (candidate == "ByBlock" && isLiteral(t, "By Block"))) {
      name = candidate;
      return true;
    }
  }
  message = hostFormat(translate("\"%s\" is not a linetype of this drawing").c_str(), t.c_str());
  return false;
}

// ---- lineweights ----

OdString lineweightText(OdDb::LineWeight lw) {
  switch (lw) {
    case OdDb::kLnWtByLwDefault: return translate("ByDefault");
    case OdDb::kLnWtByBlock: return translate("ByBlock");
    case OdDb::kLnWtByLayer: return translate("ByLayer");
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
  return OdString(buf) + " " + translate("mm");
}

std::vector<OdDb::LineWeight> lineweightItems() {
  std::vector<OdDb::LineWeight> items = {OdDb::kLnWtByLayer, OdDb::kLnWtByBlock, OdDb::kLnWtByLwDefault};
  for (int w : {0, 5, 9, 13, 15, 18, 20, 25, 30, 35, 40, 50, 53, 60, 70, 80, 90, 100, 106, 120, 140,
                158, 200, 211})
    items.push_back(OdDb::LineWeight(w));
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
    for (OdDb::LineWeight candidate : lineweightItems())
      if (candidate >= 0 && lineweightItemText(candidate, 0) == t) {
        lw = candidate;
        return true;
      }
  }
  for (const OdString& unit : {OdString("mm"), translate("mm")}) {
    if (t.size() > unit.size() && t.compare(t.size() - unit.size(), unit.size(), unit) == 0) {
      t = trimmed(t.substr(0, t.size() - unit.size()));
      break;
    }
  }
  double mm = 0;
  if (hostdbDisToF(t, 2, mm)) {
    for (OdDb::LineWeight candidate : lineweightItems())
      if (candidate >= 0 && std::fabs(int(candidate) / 100.0 - mm) < 0.001) {
        lw = candidate;
        return true;
      }
  }
  message = hostFormat(translate("\"%s\" is not a lineweight (ByLayer, ByBlock, ByDefault or a standard width in mm)").c_str(),
                       t.c_str());
  return false;
}

}  // namespace dds::kinds
