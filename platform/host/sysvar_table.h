#pragma once
// The definitions behind the system-variable service (internal).
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "OdCmColor.h"
#include "OdResBuf.h"
#include "OdString.h"

class HostSysVars;
class OdDbDatabase;

enum class HostSysVarKind { kInt, kDouble, kBool, kString, kColor, kLineWeight, kRecord, kSeparator };

// Which table a record variable names.
enum class HostRecordTable { kNone, kDimStyle, kTextStyle, kLinetype, kArrow, kLayer };

struct HostSysVarDef {
  std::string name;
  HostSysVarKind kind = HostSysVarKind::kInt;
  int restype = 70;
  bool perDrawing = true;
  bool readOnly = false;
  long minValue = -32768, maxValue = 32767;  // integers
  HostRecordTable table = HostRecordTable::kNone;
  bool dotClears = false;  // text "." stands for the empty text / no record
  // Null when there is no value (e.g. no drawing).
  std::function<OdResBufPtr(const OdDbDatabase*)> get;
  // Throws OdError or HostError when the value is refused.
  std::function<void(OdDbDatabase*, const OdResBuf&)> set;
};

// Every variable, sorted by name.
std::vector<HostSysVarDef> hostBuildSysVarTable(HostSysVars& service);

// Colours as result buffers (62 index, 420 true colour, 421 packed).
OdResBufPtr hostColorToRb(const OdCmColor& color);
OdCmColor hostColorFromRb(const OdResBuf& rb);  // HostError when not a colour

// Text forms (sysvar_text.cpp).
OdString hostSysVarToText(const HostSysVarDef& def, const OdResBuf& value, const OdDbDatabase* db);
// Null and `error` set when the text is not a value of the variable.
OdResBufPtr hostSysVarFromText(const HostSysVarDef& def, const OdString& text, OdDbDatabase* db,
                               OdString& error);
// Checks kind and range of a result buffer for the variable; empty when fine.
OdString hostSysVarCheck(const HostSysVarDef& def, const OdResBuf& value);
