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
#include "opm/opm_services.h"
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

// ---- the lists ----

std::vector<OdString> FillColorList::texts() const {
  std::vector<OdString> texts = {translate("None"), translate("Background")};
  for (const OdCmColor& c : ColorList(true).colors()) texts.push_back(fillColorText(QrFillColor{2, c}));
  texts.push_back(opm::kinds::say("More Colors..."));
  return texts;
}

PZItemPicture FillColorList::picture(int index) const {
  return index >= 2 ? ColorList(true).picture(index - 2) : PZItemPicture{};  // after "None" and "Background"
}

bool FillColorList::pick(HostWindowHandle owner, QrFillColor& fill, OdString& message) const {
  OdCmColor color = fill.color;
  if (!ColorList(true).pick(owner, color, message)) return false;
  fill = QrFillColor{2, color};
  return true;
}

std::vector<OdString> ArrowList::texts() const {
  std::vector<OdString> texts;
  for (const OdString& name : arrowItemNames())
    texts.push_back(name == kUserArrowMarker ? translate("User arrow...", "Arrows:") : arrowText(name));
  return texts;
}

PZItemPicture ArrowList::picture(int index) const {
  const std::vector<OdString> names = arrowItemNames();
  if (index < 0 || index + 1 >= int(names.size())) return {};  // the last is "User arrow..."
  PZItemPicture p;
  p.kind = PZItemPicture::Kind::kArrow;
  p.arrowBlock = names[std::size_t(index)];
  return p;
}

bool ArrowList::isPicker(const OdString& text) {
  return text == translate("User arrow...", "Arrows:") || qrv::equalNoCase(text, "User arrow...");
}

bool ArrowList::pick(HostWindowHandle owner, OdString& blockName, OdString& message) const {
  OdString block = blockName;
  if (!hostUsrArrowDialog(owner, block)) {
    message = opm::kinds::say("Cancelled.");
    return false;
  }
  return parseArrow(block, m_db, blockName, message);
}

}  // namespace dds::kinds
