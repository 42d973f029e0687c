// The text forms of system-variable values at the command line.
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "OdDbDatabase.h"
#include "OdDbSymbolTableRecord.h"
#include "OdDmUtil.h"
#include "OdStringUtil.h"
#include "host_error.h"
#include "host_text.h"
#include "sysvar_table.h"
#include "units/host_units.h"

namespace {

bool isIntKind(OdResBuf::ValueKind k) {
  return k == OdResBuf::kInt16 || k == OdResBuf::kInt32 || k == OdResBuf::kInt64 || k == OdResBuf::kBool;
}

OdString shortestReal(double v) {
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
  if (ec != std::errc()) return std::to_string(v);
  return OdString(buf, end);
}

std::optional<long> parseInteger(const std::string& text) {
  long value = 0;
  const char* first = text.data();
  const char* last = first + text.size();
  if (first != last && *first == '+') ++first;
  auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || ptr != last || first == last) return std::nullopt;
  return value;
}

std::string unquote(const std::string& text) {
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') return text.substr(1, text.size() - 2);
  return text;
}

const char* lineWeightName(long v) {
  switch (v) {
    case OdDb::kLnWtByLayer: return "BYLAYER";
    case OdDb::kLnWtByBlock: return "BYBLOCK";
    case OdDb::kLnWtByLwDefault: return "DEFAULT";
    default: return nullptr;
  }
}

std::optional<OdCmColor> parseColor(const std::string& text) {
  const std::string upper = qrv::toUpper(text);
  if (upper == "BYLAYER") return OdCmColor(OdCmColor::kByLayer);
  if (upper == "BYBLOCK") return OdCmColor(OdCmColor::kByBlock);
  if (upper == "NONE") return OdCmColor(OdCmColor::kNone);
  if (upper == "FOREGROUND") return OdCmColor(OdCmColor::kForeground);
  static const char* const kNames[] = {"RED", "YELLOW", "GREEN", "CYAN", "BLUE", "MAGENTA", "WHITE"};
  for (int i = 0; i < 7; ++i)
    if (upper == kNames[i]) return OdCmColor::fromIndex(OdInt16(i + 1));
  std::string index = upper.rfind("COLOR ", 0) == 0 ? upper.substr(6) : upper;
  if (auto n = parseInteger(index)) {
    if (*n >= 1 && *n <= 255) return OdCmColor::fromIndex(OdInt16(*n));
    return std::nullopt;
  }
  // "R,G,B"
  long rgb[3];
  std::size_t pos = 0;
  for (int k = 0; k < 3; ++k) {
    const std::size_t comma = k < 2 ? text.find(',', pos) : text.size();
    if (comma == std::string::npos) return std::nullopt;
    auto part = parseInteger(text.substr(pos, comma - pos));
    if (!part || *part < 0 || *part > 255) return std::nullopt;
    rgb[k] = *part;
    pos = comma + 1;
  }
  return OdCmColor::fromRGB(OdUInt8(rgb[0]), OdUInt8(rgb[1]), OdUInt8(rgb[2]));
}

OdString recordText(const HostSysVarDef& def, OdDbObjectId id) {
  if (id.isNull()) return ".";
  if (def.table == HostRecordTable::kArrow) return OdDmUtil::arrowName(id);
  OdSmartPtr<OdDbSymbolTableRecord> rec = OdDbSymbolTableRecord::cast(id.openObject());
  return rec ? rec->getName() : "<" + id.getHandle().ascii() + ">";
}

}  // namespace

OdString hostSysVarToText(const HostSysVarDef& def, const OdResBuf& value, const OdDbDatabase*) {
  switch (def.kind) {
    case HostSysVarKind::kInt: return std::to_string(value.getInt64());
    case HostSysVarKind::kDouble: return shortestReal(value.getDouble());
    case HostSysVarKind::kBool: return value.getInt64() ? "On" : "Off";
    case HostSysVarKind::kString: return "\"" + value.getString() + "\"";
    case HostSysVarKind::kColor:
      try {
        return hostColorFromRb(value).colorNameForDisplay();
      } catch (const HostError&) {
        return "?";
      }
    case HostSysVarKind::kLineWeight: {
      const long v = long(value.getInt64());
      const char* name = lineWeightName(v);
      return name ? OdString(name) : std::to_string(v);
    }
    case HostSysVarKind::kRecord: return recordText(def, value.getObjectId());
    case HostSysVarKind::kSeparator: return OdString("\"") + char(value.getInt64()) + "\"";
  }
  return OdString();
}

OdResBufPtr hostSysVarFromText(const HostSysVarDef& def, const OdString& typed, OdDbDatabase*,
                               OdString& error) {
  const std::string text = typed;
  switch (def.kind) {
    case HostSysVarKind::kInt: {
      auto v = parseInteger(text);
      if (!v) {
        error = "an integer is expected";
        return nullptr;
      }
      OdResBufPtr rb = OdResBuf::newRb(def.restype);
      rb->setValue(OdInt64(*v));
      return rb;
    }
    case HostSysVarKind::kDouble: {
      double v = 0;
      if (!hostdbDisToF(text, -1, v) && !hostEvaluateExpression(text, v)) {
        error = "a number is expected";
        return nullptr;
      }
      return OdResBuf::newRb(def.restype, v);
    }
    case HostSysVarKind::kBool: {
      const std::string u = qrv::toUpper(text);
      if (u == "ON" || u == "1" || u == "YES" || u == "TRUE") return OdResBuf::newRb(def.restype, true);
      if (u == "OFF" || u == "0" || u == "NO" || u == "FALSE") return OdResBuf::newRb(def.restype, false);
      error = "On or Off is expected";
      return nullptr;
    }
    case HostSysVarKind::kString: {
      if (def.dotClears && text == ".") return OdResBuf::newRb(1, OdString());
      return OdResBuf::newRb(1, unquote(text));
    }
    case HostSysVarKind::kColor: {
      auto c = parseColor(text);
      if (!c) {
        error = "a colour is expected (BYLAYER, BYBLOCK, 1..255, red, R,G,B)";
        return nullptr;
      }
      return hostColorToRb(*c);
    }
    case HostSysVarKind::kLineWeight: {
      const std::string u = qrv::toUpper(text);
      for (long v : {long(OdDb::kLnWtByLayer), long(OdDb::kLnWtByBlock), long(OdDb::kLnWtByLwDefault)})
        if (u == lineWeightName(v)) return OdResBuf::newRb(def.restype, OdInt16(v));
      auto v = parseInteger(text);
      if (!v || !OdDb::isValidLineWeight(int(*v))) {
        error = "a lineweight is expected (BYLAYER, BYBLOCK, DEFAULT or hundredths of a millimetre)";
        return nullptr;
      }
      return OdResBuf::newRb(def.restype, OdInt16(*v));
    }
    case HostSysVarKind::kRecord: return OdResBuf::newRb(1, unquote(text));
    case HostSysVarKind::kSeparator: {
      const std::string c = unquote(text);
      if (c.size() != 1 || c[0] <= ' ' || static_cast<unsigned char>(c[0]) > 126) {
        error = "one character is expected";
        return nullptr;
      }
      return OdResBuf::newRb(def.restype, OdInt16(c[0]));
    }
  }
  error = "unsupported variable";
  return nullptr;
}

OdString hostSysVarCheck(const HostSysVarDef& def, const OdResBuf& value) {
  const OdResBuf::ValueKind kind = OdResBuf::kindOf(value.restype());
  switch (def.kind) {
    case HostSysVarKind::kInt:
    case HostSysVarKind::kSeparator: {
      if (def.kind == HostSysVarKind::kSeparator && kind == OdResBuf::kString)
        return value.getString().size() == 1 ? OdString() : OdString("one character is expected");
      if (!isIntKind(kind)) return "an integer is expected";
      const OdInt64 v = value.getInt64();
      if (v < def.minValue || v > def.maxValue)
        return "the value must be from " + std::to_string(def.minValue) + " to " + std::to_string(def.maxValue);
      return {};
    }
    case HostSysVarKind::kDouble:
      if (kind != OdResBuf::kDouble && !isIntKind(kind)) return "a number is expected";
      if (!std::isfinite(value.getDouble())) return hostText(HostText::kNotFinite);
      return {};
    case HostSysVarKind::kBool:
      if (!isIntKind(kind) || (value.getInt64() != 0 && value.getInt64() != 1)) return "0 or 1 is expected";
      return {};
    case HostSysVarKind::kString:
      if (kind != OdResBuf::kString) return "a text is expected";
      // A line break would end the value's line in a file, and a NUL its
      // text in many readers; a file may hold them escaped, a prompt not.
      if (value.getString().find_first_of(std::string_view("\n\r\0", 3)) != std::string::npos)
        return hostText(HostText::kTextWithControl);
      return {};
    case HostSysVarKind::kColor:
      try {
        hostColorFromRb(value);
        return {};
      } catch (const HostError&) {
        return "a colour is expected";
      }
    case HostSysVarKind::kLineWeight:
      if (!isIntKind(kind) || !OdDb::isValidLineWeight(int(value.getInt64()))) return "a lineweight is expected";
      return {};
    case HostSysVarKind::kRecord:
      return (kind == OdResBuf::kObjectId || kind == OdResBuf::kString) ? OdString()
                                                                        : OdString("a record is expected");
  }
  return {};
}

std::optional<OdCmColor> hostParseColor(const std::string& text) { return parseColor(text); }
