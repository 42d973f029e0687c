#pragma once
// The system-variable service: the variables of the active drawing (or of a
// given one) and of the session, read and set by name as result buffers, and
// in the text form the command line shows.
//
// Result buffer types: integers 70 (16-bit) or 90 (32-bit), reals 40,
// switches 290, texts 1, lineweights 370, record identifiers 340, colours
// 62 (index: 0 by block, 256 by layer, 257 none, 1..255), 420 (true colour
// 0xRRGGBB) or 421 (any colour as its packed value, used for "Foreground").
#include <optional>
#include <string>
#include <vector>

#include "OdDbDimVars.h"
#include "OdResBuf.h"
#include "OdString.h"
#include "host_result.h"

class HostApDocManager;
class OdCmColor;
class HostApDocument;
class OdDbDatabase;
struct HostSysVarDef;

class HostSysVars {
public:
  explicit HostSysVars(HostApDocManager& documents);
  ~HostSysVars();
  HostSysVars(const HostSysVars&) = delete;
  HostSysVars& operator=(const HostSysVars&) = delete;

  // The value; null for an unknown name, or for a drawing variable when
  // there is no drawing (db null and no active document).
  OdResBufPtr getVar(const OdString& name, const OdDbDatabase* db = nullptr) const;
  // S_OK; E_INVALIDARG for an unknown name or a value of the wrong kind or
  // range; E_FAIL for a read-only variable, no drawing, or a value the
  // drawing refuses. `error` says why.
  HRESULT setVar(const OdString& name, const OdResBuf& value, OdDbDatabase* db = nullptr,
                 OdString* error = nullptr);

  // The value as the command line shows it; empty when getVar gives null.
  OdString valueText(const OdString& name, const OdDbDatabase* db = nullptr) const;
  // Reads the text form (see docs/host.md) and sets the value.
  HRESULT setFromText(const OdString& name, const OdString& text, OdDbDatabase* db = nullptr,
                      OdString* error = nullptr);

  bool isKnown(const OdString& name) const;
  bool isReadOnly(const OdString& name) const;
  bool isDrawingVariable(const OdString& name) const;
  // Every name, sorted.
  std::vector<std::string> names() const;

  // Session state behind CMDACTIVE (bits: 1 a command, 8 a dialog) and
  // MEASUREINIT (0 imperial, 1 metric new drawings).
  int commandActive() const { return m_commandActive; }
  void setCommandActive(int bits) { m_commandActive = bits; }
  int measureInit() const { return m_measureInit; }
  void setMeasureInit(int value) { m_measureInit = value ? 1 : 0; }
  // The document of a drawing (for DWGNAME); null for none.
  HostApDocument* documentFor(const OdDbDatabase* db) const;

private:
  const HostSysVarDef* find(const OdString& name) const;
  const OdDbDatabase* drawing(const OdDbDatabase* db) const;
  OdDbDatabase* drawing(OdDbDatabase* db) const;

  HostApDocManager& m_documents;
  std::vector<HostSysVarDef> m_defs;  // sorted by name
  int m_commandActive = 0;
  int m_measureInit = 0;
};

// Why a dimension variable refuses a value, in the session's language and
// with the allowed range ("the allowed values are 0..8"); for every place a
// user sets one (prompt, palette, style editor).
OdString hostDimVarRefusal(int index, const OdDbDimVarValue& value);

// A colour as the command line reads it: BYLAYER, BYBLOCK, NONE,
// FOREGROUND, red..white, 1..255 ("Color 42" too), or R,G,B.
std::optional<OdCmColor> hostParseColor(const std::string& text);
