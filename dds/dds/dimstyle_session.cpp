#include "dimstyle_session.h"

#include "OdDbDimStyleEntity.h"
#include "OdDbDimension.h"
#include "OdDbLeader.h"
#include "OdDbSymUtil.h"
#include "OdStringUtil.h"
#include "dlgdimstyle/style_store.h"
#include "editor_input.h"
#include "module_trace.h"
#include "selection.h"
#include "stdafx/module_log.h"
#include "stdafx/module_resources.h"
#include "stdafx/value_text.h"
#include "text_format.h"

namespace dds {
namespace {

constexpr const char* kSrc = "dds/dds";

// Keyword indices of the main prompt's list.
enum MainOption { kAnnotative, kSave, kRestore, kStatus, kVariables, kApply, kList, kOptionCount };

constexpr int kFlagsKeyword = 4;
constexpr int kFlagsNewName = 3;
constexpr int kFlagsStyleName = 7;
constexpr int kSelectApply = 0x10000;
constexpr int kSelectOneDimension = 0x212000;

OdDbDimStyleTablePtr openTable(OdDbDatabase* db, OdDb::OpenMode mode = OdDb::kForRead) {
  return db ? OdDbDimStyleTablePtr(db->getDimStyleTableId().openObject(mode)) : OdDbDimStyleTablePtr();
}

}  // namespace

OdString padColumn(const OdString& text, std::size_t width) {
  const std::size_t n = qrv::codePointCount(text);
  return n >= width ? text + " " : text + OdString(width - n, ' ');
}

void DimStyleSession::printTable(const DimVarRows& rows, int columns) {
  // Rows are taken in steps of three also in the two-column form.
  for (std::size_t i = 0; i + 1 < rows.size(); i += 3) {
    OdString line = padColumn(rows[i], 16);
    if (columns == 3 && i + 2 < rows.size())
      line += padColumn(rows[i + 1], 21) + rows[i + 2];
    else
      line += rows[i + 1];
    m_input->print(line);
  }
}

void DimStyleSession::printStyleLine(const OdDbDimStyleTableRecord* style) {
  if (!style) return;
  if (isAnnotativeStyle(style->objectId()))
    m_input->print(padColumn(style->getName(), 32) + loadString(1196));
  else
    m_input->print(style->getName());
}

HRESULT DimStyleSession::listNamedStyles() {
  OdString answer;
  const int r = m_input->getString(loadString(1188), OdString(), kPromptEmptyAllowed | kPromptBlanksAllowed, answer);
  if (r != kPromptText && r != kPromptEnter) return E_ABORT;
  m_input->print(loadString(1194));
  try {
    OdDbDimStyleTablePtr table = openTable(m_db);
    if (table.isNull()) {
      hostTraceError(kSrc, __LINE__, E_FAIL, "RETERRIF marco, expr: pDST.isNull() ");
      return E_FAIL;
    }
    if (r == kPromptEnter || answer.empty()) {
      for (auto it = table->newIterator(); !it->done(); it->step()) {
        try {
          OdDbDimStyleTableRecordPtr rec = it->getRecord();
          if (!rec->isDependent()) printStyleLine(rec.get());
        } catch (const OdError& e) {
          hostTraceError(kSrc, __LINE__, E_FAIL, "CONTINUEERRIF marco, expr: pDSTR.isNull() ");
          hostTraceError(kSrc, __LINE__, e.description());
        }
      }
    } else {
      OdDbDimStyleTableRecordPtr rec = table->getAt(answer).openObject();
      if (rec)
        printStyleLine(rec.get());
      else
        m_input->print(loadString(1195));
    }
  } catch (const OdError& e) {
    hostTraceError(kSrc, __LINE__, e.description());
    return E_FAIL;
  }
  return S_OK;
}

HRESULT DimStyleSession::compareWithCurrent(const OdString* first, const OdString* second) {
  if (!first && !second) return E_FAIL;
  try {
    OdDbDimStyleTablePtr table = openTable(m_db);
    if (table.isNull()) {
      hostTraceError(kSrc, __LINE__, E_FAIL, "RETERRIF marco, expr: pDST.isNull() ");
      return E_FAIL;
    }
    OdDbDimStyleTableRecordPtr a, b;
    for (auto [name, rec] : {std::pair{first, &a}, std::pair{second, &b}}) {
      if (!name) continue;
      *rec = table->getAt(*name).openObject();
      if (rec->isNull()) {
        m_input->print(loadString(1195));
        return E_FAIL;
      }
    }
    DimVarRows rows;
    compareStyleValues(a.get(), b.get(), m_db, rows, false);
    if (rows.empty()) {
      m_input->print(loadString(1199));
      return S_OK;
    }
    const OdString current = loadString(1197);
    m_input->print(OdString(16, ' ') + padColumn(first ? *first : current, 21) + (second ? *second : current));
    printTable(rows, 3);
  } catch (const OdError& e) {
    hostTraceError(kSrc, __LINE__, e.description());
    return E_FAIL;
  }
  return S_OK;
}

void DimStyleSession::showDifferencesOf(const OdString& typedAfterTilde) {
  const OdString name = qrv::toUpper(typedAfterTilde);
  m_input->print(hostFormat(loadString(1198).c_str(), name.c_str()));
  compareWithCurrent(&name, nullptr);
}

HRESULT DimStyleSession::setCurrentStyleByName(OdDbDatabase* db, const OdString& name) {
  if (!db || name.empty()) {
    hostTraceError(kSrc, __LINE__, E_FAIL, "RETERRIF marco, expr: !pBase || !stStyle || !*stStyle ");
    return E_FAIL;
  }
  try {
    OdDbDimStyleTablePtr table = openTable(db);
    if (table.isNull()) return E_FAIL;
    OdDbObjectId id = table->getAt(name);
    if (id.isNull()) return E_INVALIDARG;
    db->setDimstyle(id);
    return S_OK;
  } catch (const OdError& e) {
    hostTraceError(kSrc, __LINE__, e.description());
    return E_FAIL;
  }
}

HRESULT DimStyleSession::saveStyle(const bool* annotative) {
  for (;;) {
    OdString name;
    const int r = m_input->getString(loadString(1187), "?", kFlagsNewName, name);
    if (r == kPromptKeyword) {
      listNamedStyles();
      continue;
    }
    if (r != kPromptText || name.empty()) return E_ABORT;
    if (name[0] == '~') {
      showDifferencesOf(name.substr(1));
      continue;
    }
    try {
      OdDbDimStyleTableRecordPtr style;
      {
        OdDbDimStyleTablePtr table = openTable(m_db);
        if (table.isNull()) {
          hostTraceError(kSrc, __LINE__, E_FAIL, "RETERRIF marco, expr: pDST.isNull() ");
          return E_FAIL;
        }
        OdDbObjectId existing = table->getAt(name);
        if (isExternalStyle(existing)) {
          m_input->print(externalStyleRefusal(OdDbSymbolTableRecordPtr(existing.safeOpenObject())->getName()));
          continue;
        }
        if (!existing.isNull()) {
          OdString keyword;
          const int answer = m_input->getKeyword(loadString(1200), loadString(1185), kFlagsKeyword, &keyword);
          // Enter and No ask for another name; a cancel ends the save
          // without touching the style.
          if (answer < 1) return E_ABORT;
          if (answer == 1 || (answer - 2) % 2 == 1) continue;
          style = existing.safeOpenObject(OdDb::kForWrite);
        } else {
          // A name the table would refuse is said where the user is
          // looking, and another one asked for.
          OdString why;
          if (OdDbSymUtil::validateSymbolName(name, m_db, false, &why) != eOk) {
            m_input->print(hostFormat(translate("Invalid name: %s.").c_str(), translate(why).c_str()));
            continue;
          }
          table->upgradeOpen();
          OdDbDimStyleTableRecordPtr rec = OdDbDimStyleTableRecord::createObject();
          rec->setName(name);
          table->add(rec);
          style = rec;
        }
      }
      copyCurrentToStyle(style.get(), m_db);
      const OdDbObjectId id = style->objectId();
      const OdString storedName = style->getName();
      style.release();
      if (annotative) setAnnotativeStyle(id, *annotative);
      setCurrentStyleByName(m_db, storedName);
      return S_OK;
    } catch (const OdError& e) {
      // An invalid name is refused by the table: logged, and the save ends.
      hostTraceError(kSrc, __LINE__, e.description());
      return E_FAIL;
    }
  }
}

HRESULT DimStyleSession::restoreStyle(RestoreMode mode) {
  m_rows.clear();
  OdDbObjectId styleToMakeCurrent;
  bool select = false;
  for (;;) {
    OdString name;
    const int r = m_input->getString(loadString(1201), "?", kFlagsStyleName, name);
    if (r == kPromptEnter) {
      select = true;
      break;
    }
    if (r == kPromptKeyword) {
      listNamedStyles();
      continue;
    }
    if (r != kPromptText || name.empty()) return E_ABORT;
    if (name[0] == '~') {
      showDifferencesOf(name.substr(1));
      continue;
    }
    try {
      OdDbDimStyleTablePtr table = openTable(m_db);
      if (table.isNull()) {
        hostTraceError(kSrc, __LINE__, E_FAIL, "BREAKERRIF marco, expr: pDST.isNull() ");
        return E_FAIL;
      }
      OdDbObjectId id = table->getAt(name);
      if (id.isNull()) {
        m_input->print(loadString(1195));
        continue;
      }
      table.release();
      if (mode == RestoreMode::kRestore) {
        setCurrentStyleByName(m_db, name);
        OdDbDimStyleTableRecordPtr rec = id.safeOpenObject();
        copyStyleToCurrent(m_db, rec.get());
      } else {
        OdDbDimStyleTableRecordPtr rec = id.safeOpenObject();
        listStyleValues(rec.get(), m_rows, true);
      }
    } catch (const OdError& e) {
      hostTraceError(kSrc, __LINE__, e.description());
      return E_FAIL;
    }
    break;
  }
  if (select) {
    OdDbObjectIdArray picked;
    const int r = m_selection->select(loadString(1202), kSelectOneDimension, picked);
    if (r != kSelectionOk || picked.size() != 1) return E_ABORT;
    try {
      OdDbObjectPtr obj = picked[0].safeOpenObject();
      auto entity = OdDbDimStyleEntity::cast(obj.get());
      if (!entity || !(entity->isKindOf(OdDbDimension::desc()) || entity->isKindOf(OdDbLeader::desc()))) {
        m_input->print(loadString(1203));
        return S_OK;
      }
      if (mode == RestoreMode::kRestore) {
        copyEntityToCurrent(m_db, entity.get());
        styleToMakeCurrent = entity->dimensionStyle();
        if (!styleToMakeCurrent.isNull()) m_db->setDimstyle(styleToMakeCurrent);
      } else {
        listEntityValues(entity.get(), m_rows, true);
      }
    } catch (const OdError& e) {
      hostTraceError(kSrc, __LINE__, e.description());
      return E_FAIL;
    }
  }
  if (!m_rows.empty()) printTable(m_rows, 3);
  return S_OK;
}

void DimStyleSession::printStatusLine() {
  OdString name, annotative;
  try {
    OdDbDimStyleTableRecordPtr current = m_db->getDimstyle().openObject();
    if (current) {
      name = current->getName();
      annotative = loadString(isAnnotativeStyle(current->objectId()) ? 1065 : 1066);
    }
  } catch (const OdError& e) {
    hostTraceError(kSrc, __LINE__, e.description());
  }
  m_input->print(hostFormat(loadString(1182).c_str(), name.c_str(), annotative.c_str()));
}

void DimStyleSession::printOverrides() {
  try {
    OdDbDimStyleTableRecordPtr current = m_db->getDimstyle().openObject();
    if (!current) return;
    DimVarRows rows;
    compareStyleValues(nullptr, current.get(), m_db, rows, false);
    if (rows.empty()) return;
    m_input->print(loadString(1215));
    printTable(rows, 2);
  } catch (const OdError& e) {
    hostTraceError(kSrc, __LINE__, e.description());
  }
}

void DimStyleSession::printStatus() {
  DimVarRows head = {"DIMASO", boolText(m_db->getDIMASO() != 0), loadString(1212),
                     "DIMSTYLE", recordText(m_db->getDimstyle(), OdString()), loadString(1213)};
  printTable(head, 3);
  m_input->print(OdString());
  listCurrentValues(m_db, m_rows, true);
  printTable(m_rows, 3);
}

void DimStyleSession::applyToSelection() {
  OdDbObjectIdArray picked;
  if (m_selection->select(loadString(1214), kSelectApply, picked) != kSelectionOk) return;
  for (const OdDbObjectId& id : picked) {
    try {
      OdDbObjectPtr obj = id.safeOpenObject(OdDb::kForWrite);
      if (obj->isKindOf(OdDbDimension::desc()) || obj->isKindOf(OdDbLeader::desc()))
        copyCurrentToEntity(OdDbDimStyleEntity::cast(obj.get()).get(), m_db);
    } catch (const OdError& e) {
      hostTraceError(kSrc, __LINE__, e.description());
    }
  }
}

void DimStyleSession::run() {
  printStatusLine();
  printOverrides();
  for (;;) {
    OdString keyword;
    const int r = m_input->getKeyword(loadString(1183), loadString(1184), kFlagsKeyword, &keyword);
    int option = kRestore;
    if (r != 1) {
      if (r < 2) return;
      option = r - 2;
      if (option >= kOptionCount) option -= kOptionCount;
    }
    switch (option) {
      case kAnnotative: {
        const int a = m_input->getKeyword(loadString(1186), loadString(1185), kFlagsKeyword);
        if (a < 1) return;
        const bool yes = a == 1 || (a - 2) % 2 == 0;
        if (saveStyle(&yes) < 0) return;
        continue;
      }
      case kSave:
        saveStyle(nullptr);
        return;
      case kRestore:
        restoreStyle(RestoreMode::kRestore);
        printStatusLine();
        return;
      case kStatus:
        printStatus();
        return;
      case kVariables:
        restoreStyle(RestoreMode::kList);
        return;
      case kApply:
        applyToSelection();
        return;
      case kList:
        listNamedStyles();
        continue;
      default:
        return;
    }
  }
}

}  // namespace dds
