#include "style_store.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "OdDbAnnotativeObjectPE.h"
#include "OdDbDimStyleTableRecord.h"
#include "OdDbSymUtil.h"
#include "OdStringUtil.h"
#include "stdafx/module_log.h"
#include "stdafx/module_resources.h"
#include "stdafx/host_access.h"
#include "style_listing.h"
#include "text_format.h"

namespace dds {
namespace {

unsigned typeNameId(int digit) {
  switch (digit) {
    case kChildLinear: return 1001;
    case kChildAngular: return 1004;
    case kChildDiameter: return 1002;
    case kChildRadius: return 1003;
    case kChildOrdinate: return 1008;
    case kChildLeader: return 1005;
  }
  return 0;
}

OdDbDatabase* orCurrent(OdDbDatabase* db) { return db ? db : currentDatabase(); }

}  // namespace

bool isChildDigit(int digit) { return typeNameId(digit) != 0; }

OdString childStyleName(const OdString& parent, int digit) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "$%d", digit);
  return parent + buf;
}

OdString childTypeName(int digit) {
  const unsigned id = typeNameId(digit);
  return id ? loadString(id) : OdString();
}

bool parseChildStyle(OdDbObjectId style, ChildStyleInfo* info) {
  if (info) *info = ChildStyleInfo();
  if (style.isNull()) return false;
  try {
    OdDbDimStyleTableRecordPtr rec = style.safeOpenObject();
    const OdString name = rec->getName();
    if (info) info->parentName = name;
    const std::size_t n = name.size();
    if (n <= 2 || name[n - 2] != '$') return false;
    const char last[2] = {name[n - 1], 0};
    const long digit = std::strtol(last, nullptr, 10);
    if (digit == 0 && name[n - 1] != '0') return false;
    if (!isChildDigit(int(digit))) return false;
    const OdString parent = name.substr(0, n - 2);
    OdDbDatabase* db = rec->database();
    OdDbObjectPtr tableObj = db ? db->getDimStyleTableId().openObject() : OdDbObjectPtr();
    auto table = OdDbSymbolTable::cast(tableObj.get());
    if (!table || table->getAt(parent).isNull()) {
      DDS_LOG_WARNING(kSrcDlgDimStyle, "no parent style \"" + parent + "\" for \"" + name + "\"");
      return false;
    }
    if (info) {
      info->digit = int(digit);
      info->parentName = parent;
      info->typeName = childTypeName(int(digit));
    }
    return true;
  } catch (const OdError& e) {
    DDS_LOG_ERROR(kSrcDlgDimStyle, e.description());
    return false;
  }
}

OdDbObjectId currentStyleId(OdDbDatabase* db) {
  db = orCurrent(db);
  return db ? db->getDimstyle() : OdDbObjectId();
}

OdString currentStyleName(OdDbDatabase* db) {
  OdDbObjectPtr obj = currentStyleId(db).openObject();
  auto rec = OdDbSymbolTableRecord::cast(obj.get());
  return rec ? rec->getName() : OdString();
}

HRESULT setCurrentStyle(OdDbDatabase* db, OdDbObjectId style) {
  DDS_ASSERT(kSrcDlgDimStyle, db != nullptr, "(pDb != 0)");
  if (!db) return E_INVALIDARG;
  try {
    OdDbDimStyleTableRecordPtr current = db->getDimstyle().openObject();
    if (!current) return E_FAIL;
    if (current->objectId() == style) return S_FALSE;
    if (hasOverrides(current.get(), db) && !askQuestion(loadString(1287))) return E_ABORT;
    current.release();
    db->setDimstyle(style);
    db->setDimstyleData(style);
    return S_OK;
  } catch (const OdError& e) {
    DDS_LOG_ERROR(kSrcDlgDimStyle, e.description());
    return E_FAIL;
  }
}

bool isExternalStyle(OdDbObjectId style) {
  OdDbObjectPtr obj = style.openObject();
  auto rec = OdDbSymbolTableRecord::cast(obj.get());
  return rec && rec->isDependent();
}

OdString externalStyleRefusal(const OdString& name) {
  return hostFormat(translate("\"%s\" is a style of an external reference; it cannot be changed here.").c_str(),
                    name.c_str());
}

namespace {

// Logs the refusal of an action on a style of an external reference.
bool refusedAsExternal(OdDbObjectId style) {
  if (!isExternalStyle(style)) return false;
  OdDbSymbolTableRecordPtr rec = style.openObject();
  DDS_LOG_ERROR(kSrcDlgDimStyle, externalStyleRefusal(rec->getName()));
  return true;
}

}  // namespace

bool canDeleteStyle(OdDbObjectId style, OdDbDatabase* db) {
  if (style.isNull()) return true;
  if (isExternalStyle(style)) return false;
  db = db ? db : style.database();
  if (!db || db->getDimstyle() == style) return false;
  OdDbObjectIdArray ids{style};
  db->purge(ids);
  return ids.size() == 1;
}

bool deleteStyle(OdDbObjectId style, OdDbDatabase* db) {
  try {
    if (style.isNull()) {
      db = orCurrent(db);
      if (!db) return false;
      OdDbDimStyleTableRecordPtr current = db->getDimstyle().safeOpenObject();
      copyStyleToCurrent(db, current.get());
      return true;
    }
    if (refusedAsExternal(style)) return false;
    db = style.database();
    OdDbObjectIdArray group;
    {
      OdDbDimStyleTableRecordPtr rec = style.safeOpenObject(OdDb::kForWrite);
      const OdString name = rec->getName();
      if (!parseChildStyle(style)) {
        OdDbDimStyleTablePtr table = db->getDimStyleTableId().safeOpenObject();
        for (int digit : kChildDigits) {
          OdDbObjectId child = table->getAt(childStyleName(name, digit));
          if (!child.isNull()) group.push_back(child);
        }
      }
      group.push_back(style);
    }
    OdDbObjectIdArray tested = group;
    db->purge(tested);
    if (tested.size() != group.size()) return false;  // something in the group is in use
    for (const OdDbObjectId& id : group) {
      try {
        id.safeOpenObject(OdDb::kForWrite)->erase();
      } catch (const OdError& e) {
        DDS_LOG_ERROR(kSrcDlgDimStyle, e.description());
        return false;
      }
    }
    return true;
  } catch (const OdError& e) {
    DDS_LOG_ERROR(kSrcDlgDimStyle, e.description());
    return false;
  }
}

bool renameStyle(OdDbObjectId style, const OdString* newName) {
  if (!newName || style.isNull()) return false;
  try {
    if (refusedAsExternal(style)) return false;
    OdDbDimStyleTableRecordPtr rec = style.safeOpenObject(OdDb::kForWrite);
    const OdString oldName = rec->getName();
    // The children are found under the old name, before the parent's new
    // name hides them.
    std::vector<std::pair<OdDbObjectId, int>> children;
    OdDbDimStyleTablePtr table = rec->database()->getDimStyleTableId().safeOpenObject();
    for (auto it = table->newIterator(); !it->done(); it->step()) {
      OdDbObjectId id = it->getRecordId();
      if (id == style) continue;
      OdDbDimStyleTableRecordPtr other = id.safeOpenObject();
      if (other->isDependent()) continue;
      ChildStyleInfo info;
      if (parseChildStyle(id, &info) && info.parentName == oldName) children.emplace_back(id, info.digit);
    }
    try {
      rec->setName(*newName);
    } catch (const OdError& e) {
      DDS_LOG_ERROR(kSrcDlgDimStyle, e.description());
      return false;
    }
    for (const auto& [id, digit] : children) {
      try {
        OdDbDimStyleTableRecordPtr child = id.safeOpenObject(OdDb::kForWrite);
        child->setName(childStyleName(*newName, digit));
      } catch (const OdError& e) {
        DDS_LOG_ERROR(kSrcDlgDimStyle, e.description());
      }
    }
    return true;
  } catch (const OdError& e) {
    DDS_LOG_ERROR(kSrcDlgDimStyle, e.description());
    return false;
  }
}

bool saveOverridesToCurrentStyle(OdDbDatabase* db) {
  db = orCurrent(db);
  DDS_ASSERT(kSrcDlgDimStyle, db != nullptr, "(pDb != 0)");
  if (!db) return false;
  try {
    if (refusedAsExternal(db->getDimstyle())) return false;
    OdDbDimStyleTableRecordPtr current = db->getDimstyle().safeOpenObject(OdDb::kForWrite);
    copyCurrentToStyle(current.get(), db);
    return true;
  } catch (const OdError& e) {
    DDS_LOG_ERROR(kSrcDlgDimStyle, e.description());
    return false;
  }
}

OdString newStyleName(OdDbObjectId base, int childType, const OdString& typedName) {
  if (childType == kChildNone) return typedName;
  ChildStyleInfo info;
  parseChildStyle(base, &info);  // an ordinary base gives its own name
  char buf[16];
  std::snprintf(buf, sizeof buf, "$%i", childType);
  return info.parentName + buf;
}

OdDbObjectId createStyleFromBase(OdDbObjectId base, int childType, const OdString& name) {
  try {
    OdDbDimStyleTableRecordPtr baseRec = base.safeOpenObject();
    OdDbDimStyleTableRecordPtr copy = baseRec->clone();
    const OdString newName = newStyleName(base, childType, name);
    baseRec.release();
    copy->setName(newName);
    OdDbDimStyleTablePtr table = base.database()->getDimStyleTableId().safeOpenObject(OdDb::kForWrite);
    return table->add(copy);
  } catch (const OdError& e) {
    DDS_LOG_ERROR(kSrcDlgDimStyle, e.description());
    return OdDbObjectId();
  }
}

bool isNewStyleNameValid(OdDbDatabase* db, const OdString& name) {
  if (!db) return false;
  try {
    OdDbDimStyleTablePtr table = db->getDimStyleTableId().safeOpenObject();
    if (!table->getAt(name).isNull()) return false;
    return OdDbSymUtil::validateSymbolName(name, db, false) == eOk;
  } catch (const OdError& e) {
    DDS_LOG_ERROR(kSrcDlgDimStyle, e.description());
    return false;
  }
}

bool isAnnotativeStyle(OdDbObjectId style) {
  OdDbObjectPtr obj = style.openObject();
  const OdDbAnnotativeObjectPE* pe = OdDbAnnotativeObjectPE::cast(obj.get());
  return pe && pe->isAnnotative(obj.get());
}

void setAnnotativeStyle(OdDbObjectId style, bool annotative) {
  try {
    if (refusedAsExternal(style)) return;
    OdDbObjectPtr obj = style.safeOpenObject(OdDb::kForWrite);
    if (const OdDbAnnotativeObjectPE* pe = OdDbAnnotativeObjectPE::cast(obj.get()))
      pe->setAnnotative(obj.get(), annotative);
  } catch (const OdError& e) {
    DDS_LOG_ERROR(kSrcDlgDimStyle, e.description());
  }
}

std::vector<StyleListEntry> styleListForDialogs(OdDbDatabase* db) {
  std::vector<StyleListEntry> out;
  db = orCurrent(db);
  if (!db) return out;
  try {
    OdDbDimStyleTablePtr table = db->getDimStyleTableId().safeOpenObject();
    const OdDbObjectId current = db->getDimstyle();
    bool overrides = false;
    if (OdDbDimStyleTableRecordPtr cur = current.openObject()) overrides = hasOverrides(cur.get(), db);
    // First walk: top-level styles; second: children below their parent.
    std::vector<std::pair<OdDbObjectId, ChildStyleInfo>> children;
    for (auto it = table->newIterator(); !it->done(); it->step()) {
      OdDbDimStyleTableRecordPtr rec = it->getRecord();
      if (rec->isDependent()) continue;
      ChildStyleInfo info;
      if (parseChildStyle(it->getRecordId(), &info)) {
        children.emplace_back(it->getRecordId(), info);
        continue;
      }
      StyleListEntry e;
      e.id = it->getRecordId();
      e.text = rec->getName();
      out.push_back(e);
    }
    for (const auto& [id, info] : children) {
      // Below the parent and the children already placed under it.
      auto parent = std::find_if(out.begin(), out.end(), [&](const StyleListEntry& e) {
        return e.kind == StyleListEntry::kStyle && qrv::equalNoCase(e.text, info.parentName);
      });
      if (parent == out.end()) continue;
      auto at = parent + 1;
      while (at != out.end() && at->kind == StyleListEntry::kChild) ++at;
      StyleListEntry e;
      e.kind = StyleListEntry::kChild;
      e.id = id;
      e.text = info.typeName;
      e.indented = true;
      e.childDigit = info.digit;
      out.insert(at, e);
    }
    if (overrides) {
      auto cur = std::find_if(out.begin(), out.end(), [&](const StyleListEntry& e) { return e.id == current; });
      if (cur != out.end()) {
        auto at = cur + 1;
        while (at != out.end() && at->kind == StyleListEntry::kChild) ++at;
        StyleListEntry e;
        e.kind = StyleListEntry::kOverrides;
        e.text = loadString(1067);
        e.indented = true;
        out.insert(at, e);
      }
    }
  } catch (const OdError& e) {
    DDS_LOG_ERROR(kSrcDlgDimStyle, e.description());
  }
  return out;
}

}  // namespace dds
