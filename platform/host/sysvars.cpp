#include "sysvars.h"

#include <algorithm>

#include "OdDbDatabase.h"
#include "OdStringUtil.h"
#include "documents.h"
#include "host_error.h"
#include "sysvar_table.h"

HostSysVars::HostSysVars(HostApDocManager& documents) : m_documents(documents) {
  m_defs = hostBuildSysVarTable(*this);
}

HostSysVars::~HostSysVars() = default;

const HostSysVarDef* HostSysVars::find(const OdString& name) const {
  const std::string upper = qrv::toUpper(name);
  auto it = std::lower_bound(m_defs.begin(), m_defs.end(), upper,
                             [](const HostSysVarDef& d, const std::string& key) { return d.name < key; });
  return (it != m_defs.end() && it->name == upper) ? &*it : nullptr;
}

const OdDbDatabase* HostSysVars::drawing(const OdDbDatabase* db) const {
  if (db) return db;
  HostApDocument* doc = m_documents.curDocument();
  return doc ? doc->database() : nullptr;
}

OdDbDatabase* HostSysVars::drawing(OdDbDatabase* db) const {
  if (db) return db;
  HostApDocument* doc = m_documents.curDocument();
  return doc ? doc->database() : nullptr;
}

HostApDocument* HostSysVars::documentFor(const OdDbDatabase* db) const { return m_documents.documentFor(db); }

OdResBufPtr HostSysVars::getVar(const OdString& name, const OdDbDatabase* db) const {
  const HostSysVarDef* def = find(name);
  if (!def) return nullptr;
  const OdDbDatabase* target = drawing(db);
  if (def->perDrawing && !target) return nullptr;
  try {
    return def->get(target);
  } catch (const std::exception&) {
    return nullptr;  // a drawing that cannot answer has no value to show
  }
}

HRESULT HostSysVars::setVar(const OdString& name, const OdResBuf& value, OdDbDatabase* db, OdString* error) {
  auto fail = [&](HRESULT code, const OdString& why) {
    if (error) *error = why;
    return code;
  };
  const HostSysVarDef* def = find(name);
  if (!def) return fail(E_INVALIDARG, "unknown variable");
  if (def->readOnly || !def->set) return fail(E_FAIL, "read only");
  OdDbDatabase* target = drawing(db);
  if (def->perDrawing && !target) return fail(E_FAIL, "no drawing is open");
  const OdString problem = hostSysVarCheck(*def, value);
  if (!problem.empty()) return fail(E_INVALIDARG, problem);
  try {
    def->set(target, value);
  } catch (const HostError& e) {
    return fail(e.code(), e.what());
  } catch (const OdError& e) {
    return fail(E_FAIL, e.description());
  }
  return S_OK;
}

OdString HostSysVars::valueText(const OdString& name, const OdDbDatabase* db) const {
  const HostSysVarDef* def = find(name);
  OdResBufPtr value = getVar(name, db);
  return (def && value) ? hostSysVarToText(*def, *value, drawing(db)) : OdString();
}

HRESULT HostSysVars::setFromText(const OdString& name, const OdString& text, OdDbDatabase* db, OdString* error) {
  const HostSysVarDef* def = find(name);
  if (!def) {
    if (error) *error = "unknown variable";
    return E_INVALIDARG;
  }
  OdString why;
  OdResBufPtr value = hostSysVarFromText(*def, text, drawing(db), why);
  if (!value) {
    if (error) *error = why;
    return E_INVALIDARG;
  }
  return setVar(name, *value, db, error);
}

bool HostSysVars::isKnown(const OdString& name) const { return find(name) != nullptr; }

bool HostSysVars::isReadOnly(const OdString& name) const {
  const HostSysVarDef* def = find(name);
  return def && (def->readOnly || !def->set);
}

bool HostSysVars::isDrawingVariable(const OdString& name) const {
  const HostSysVarDef* def = find(name);
  return def && def->perDrawing;
}

std::vector<std::string> HostSysVars::names() const {
  std::vector<std::string> out;
  for (const HostSysVarDef& d : m_defs) out.push_back(d.name);
  return out;
}
