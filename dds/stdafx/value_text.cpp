#include "value_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <clocale>
#include <cstring>

#include "OdDbSymbolTableRecord.h"
#include "OdStringUtil.h"
#include "dlgdimstyle/style_store.h"
#include "units/host_units.h"
#include "module_resources.h"

namespace dds {
namespace {

bool keyIs(const OdString& key, const char* k) { return qrv::equalNoCase(key, k); }

bool isArrowKey(const OdString& key) {
  return keyIs(key, "blk") || keyIs(key, "blk1") || keyIs(key, "blk2") || keyIs(key, "ldrblk");
}

bool isLinetypeKey(const OdString& key) {
  return keyIs(key, "ltype") || keyIs(key, "ltex1") || keyIs(key, "ltex2");
}

struct ArrowName {
  const char* block;
  const char* display;
};
const ArrowName kArrowNames[] = {
    {"_ClosedBlank", "Closed blank"},   {"", "Closed filled"},
    {"_Closed", "Closed"},              {"_Dot", "Dot"},
    {"_ArchTick", "Architectural tick"}, {"_Oblique", "Oblique"},
    {"_Open", "Open"},                  {"_Open30", "Open 30"},
    {"_Open90", "Right angle"},         {"_Origin", "Origin indicator"},
    {"_Origin2", "Origin indicator 2"}, {"_DotSmall", "Dot small"},
    {"_DotBlank", "Dot blank"},         {"_Small", "Dot small blank"},
    {"_BoxBlank", "Box"},               {"_BoxFilled", "Box filled"},
    {"_DatumBlank", "Datum triangle"},  {"_DatumFilled", "Datum triangle filled"},
    {"_Integral", "Integral"},          {"_None", "None"},
};

}  // namespace

OdString intText(int value, const OdString& key) {
  char buf[32];
  if (keyIs(key, "dsep")) {
    // The low byte, as a character; 0 gives a text holding that one byte.
    const char c = static_cast<char>(static_cast<signed char>(value & 0xFF));
    return OdString(1, c);
  }
  std::snprintf(buf, sizeof buf, "%i", value);
  return buf;
}

OdString boolText(bool value) { return loadString(value ? 1065 : 1066); }

OdString lengthText(double value, const OdString& key) {
  OdString text;
  if (keyIs(key, "jogang")) {
    const double degrees = value * 180.0 / 3.141592653589793;
    QrAng2Str(degrees, text, -777.7777, -1, -1, 31, -1, -1, -1);
  } else {
    QrLin2Str(value, text, 255, 255, -1, -1, -1, -1);
  }
  return text;
}

OdString stringText(const OdString& value) { return value; }

OdString recordText(OdDbObjectId id, const OdString& key) {
  if (id.isNull()) {
    if (isArrowKey(key)) return arrowDisplayName(OdString());
    if (isLinetypeKey(key)) return loadString(1063);
    return loadString(1162);
  }
  try {
    OdDbObjectPtr obj = id.openObject();
    if (!obj) return loadString(1163);  // missing or erased
    auto rec = OdDbSymbolTableRecord::cast(obj.get());
    if (!rec) {
      char buf[64];
      std::snprintf(buf, sizeof buf, "0x%llX", static_cast<unsigned long long>(obj->getDbHandle().value()));
      return OdString(buf) + " (" + obj->isA()->name() + ")";
    }
    if (isArrowKey(key)) return arrowDisplayName(rec->getName());
    return rec->getName();
  } catch (...) {
    return loadString(1163);
  }
}

OdString colorText(const OdCmColor& color) {
  if (color.isByBlock()) return loadString(1063);
  if (color.isByLayer()) return loadString(1064);
  if (color.isByACI()) {
    const int index = color.colorIndex();
    if (index >= 1 && index <= 7) return loadString(1154 + index);
  }
  char buf[16];
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", color.red(), color.green(), color.blue());
  return buf;
}

OdString arrowDisplayName(const OdString& blockName) {
  const char* display = "User arrow...";
  if (blockName.empty()) {
    display = "Closed filled";
  } else {
    for (const ArrowName& a : kArrowNames)
      if (*a.block && qrv::equalNoCase(blockName, a.block)) {
        display = a.display;
        break;
      }
  }
  return translate(display, "Arrows:");
}

bool arrowForDisplayName(const OdString& text, OdString& blockName) {
  for (const ArrowName& a : kArrowNames)
    if (qrv::equalNoCase(text, a.display) || qrv::equalNoCase(text, translate(a.display, "Arrows:"))) {
      blockName = a.block;
      return true;
    }
  return false;
}

OdString styleLabel(OdDbObjectId style) {
  if (style.isNull()) return loadString(1164);
  ChildStyleInfo info;
  if (parseChildStyle(style, &info)) return info.parentName + " [" + info.typeName + "]";
  return info.parentName;  // an ordinary style's own name
}

OdString styleTypeLabel(OdDbObjectId style) {
  if (style.isNull()) return loadString(1164);
  ChildStyleInfo info;
  return parseChildStyle(style, &info) ? info.typeName : OdString();
}

double readControlDouble(const OdString& text) {
  if (text.empty()) return 0.0;
  double value = 0.0;
  return std::sscanf(text.c_str(), " %lg ", &value) == 1 ? value : 0.0;
}

std::optional<double> readFieldNumber(const OdString& text, char decimalSeparator) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == OdString::npos) return std::nullopt;
  std::string number = text.substr(first, text.find_last_not_of(" \t") + 1 - first);
  if (decimalSeparator == ',' && number.find('.') == std::string::npos) {
    const std::size_t comma = number.find(',');
    if (comma != std::string::npos && number.find(',', comma + 1) == std::string::npos) number[comma] = '.';
  }
  const char* begin = number.data();
  const char* end = begin + number.size();
  if (begin != end && *begin == '+' && end - begin > 1 && begin[1] != '-') ++begin;
  double value = 0.0;
  const auto [stop, error] = std::from_chars(begin, end, value);
  if (error != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

OdString writeControlDouble(double value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.7f", value);
  if (std::fabs(value) < 1e-6) return "0";
  OdString text = buf;
  const char* point = std::localeconv()->decimal_point;
  if (text.find(point) != OdString::npos) {
    while (!text.empty() && text.back() == '0') text.pop_back();
    if (!text.empty() && text.compare(text.size() - std::strlen(point), std::strlen(point), point) == 0)
      text.resize(text.size() - std::strlen(point));
  }
  return text;
}

}  // namespace dds
