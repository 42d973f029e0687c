#include "selection.h"

#include <algorithm>
#include <unordered_set>

#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "OdDbEntity.h"
#include "OdDbLayerTableRecord.h"
#include "OdStringUtil.h"
#include "editor_input.h"
#include "host_text.h"
#include "point_input.h"
#include "text_format.h"

struct HostEdSSManager::Found {
  OdDbObjectIdArray ids;
  int lockedSkipped = 0;
  int filteredOut = 0;
  bool understood = true;
};

namespace {

OdDbObjectIdArray currentSpaceEntities(const OdDbDatabase& db) {
  OdDbObjectIdArray ids;
  OdSmartPtr<OdDbBlockTableRecord> space = OdDbBlockTableRecord::cast(db.getModelSpaceId().openObject());
  if (!space) return ids;
  for (OdDbObjectId id : space->entityIds())
    if (id.isValid()) ids.push_back(id);
  return ids;
}

bool classNamed(const OdRxClass* cls, const std::string& name) {
  for (; cls; cls = cls->myParent()) {
    if (qrv::equalNoCase(cls->name(), name)) return true;
    if (*cls->dxfName() && qrv::equalNoCase(cls->dxfName(), name)) return true;
  }
  return false;
}

bool onLockedLayer(const OdDbEntity& entity) {
  OdSmartPtr<OdDbLayerTableRecord> layer = OdDbLayerTableRecord::cast(entity.layerId().openObject());
  return layer && layer->isLocked();
}

std::vector<std::string> splitHandles(const std::string& text) {
  std::vector<std::string> parts;
  std::string current;
  for (char c : text) {
    if (c == ' ' || c == ',' || c == '\t') {
      if (!current.empty()) parts.push_back(std::move(current));
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) parts.push_back(std::move(current));
  return parts;
}

HostBoxSelector& boxSelector() {
  static HostBoxSelector selector;
  return selector;
}

// W and C, spelt out or not.
std::optional<bool> boxAnswer(const std::string& upper) {
  if (upper == "W" || upper == "WINDOW") return false;
  if (upper == "C" || upper == "CROSSING") return true;
  return std::nullopt;
}

}  // namespace

bool HostSelectionBox::contains(const OdGePoint3d& p) const {
  return p.x >= std::min(first.x, second.x) && p.x <= std::max(first.x, second.x) &&
         p.y >= std::min(first.y, second.y) && p.y <= std::max(first.y, second.y);
}

void hostSetBoxSelector(HostBoxSelector selector) { boxSelector() = std::move(selector); }

const HostBoxSelector& hostBoxSelector() { return boxSelector(); }

bool HostEdSSManager::askBox(bool crossing, HostSelectionBox& box) {
  box.crossing = crossing;
  if (m_input.getPoint(hostText(HostText::kSelectionFirstCorner), "", 0, box.first) != kPromptPoint) return false;
  HostPointOptions band;
  band.base = box.first;
  return m_input.getPoint(hostText(HostText::kSelectionOppositeCorner), "", 0, box.second, band) == kPromptPoint;
}

OdDbObjectId HostEdSSManager::lastEntity() const {
  const OdDbObjectIdArray ids = currentSpaceEntities(m_db);
  return ids.empty() ? OdDbObjectId() : ids.back();
}

HostEdSSManager::Found HostEdSSManager::resolve(const std::string& answer, int flags,
                                                const OdRxClass* filter) const {
  Found found;
  OdDbObjectIdArray candidates;
  const std::string upper = qrv::toUpper(answer);
  const OdDbObjectIdArray space = currentSpaceEntities(m_db);
  if (upper == "ALL") {
    candidates = space;
  } else if (upper == "L" || upper == "LAST") {
    if (!space.empty()) candidates.push_back(space.back());
  } else if (upper.rfind("TYPE=", 0) == 0 && upper.size() > 5) {
    const std::string typeName = hostTrim(answer.substr(5));
    for (OdDbObjectId id : space) {
      OdDbObjectPtr obj = id.openObject();
      if (obj && classNamed(obj->isA(), typeName)) candidates.push_back(id);
    }
  } else {
    const OdDbObjectId spaceId = m_db.getModelSpaceId();
    for (const std::string& part : splitHandles(answer)) {
      auto handle = OdDbHandle::fromAscii(part);
      OdDbObjectId id = handle ? m_db.getOdDbObjectId(*handle) : OdDbObjectId();
      // Only live entities of the current space can be picked.
      OdDbObjectPtr obj = id.openObject();
      if (!handle || !obj || obj->ownerId() != spaceId || !obj->isKindOf(OdDbEntity::desc())) {
        found.understood = false;
        return found;
      }
      candidates.push_back(id);
    }
  }
  return screen(candidates, flags, filter);
}

HostEdSSManager::Found HostEdSSManager::screen(const OdDbObjectIdArray& candidates, int flags,
                                               const OdRxClass* filter) const {
  Found found;
  for (OdDbObjectId id : candidates) {
    OdSmartPtr<OdDbEntity> entity = OdDbEntity::cast(id.openObject());
    if (!entity) continue;
    if (filter && !entity->isKindOf(filter)) {
      ++found.filteredOut;
      continue;
    }
    if (!(flags & kSelLockedLayersAllowed) && onLockedLayer(*entity)) {
      ++found.lockedSkipped;
      continue;
    }
    found.ids.push_back(id);
  }
  return found;
}

void HostEdSSManager::listSelectable(const OdRxClass* filter) const {
  for (OdDbObjectId id : currentSpaceEntities(m_db)) {
    OdSmartPtr<OdDbEntity> entity = OdDbEntity::cast(id.openObject());
    if (!entity || (filter && !entity->isKindOf(filter))) continue;
    const char* type = *entity->isA()->dxfName() ? entity->isA()->dxfName() : entity->isA()->name();
    m_input.print(hostFormat("  %-8s %-24s %s", id.getHandle().ascii().c_str(), type,
                             entity->layer().c_str()));
  }
}

int HostEdSSManager::select(const OdString& prompt, int flags, OdDbObjectIdArray& selected,
                            const OdRxClass* filter,
                            const std::function<bool(const std::string&)>& otherAnswer) {
  selected.clear();
  m_lastBox.reset();
  const OdString shown =
      (flags & kSelCallerPrompt) && !prompt.empty() ? prompt : hostText(HostText::kSelectObjects);
  for (;;) {
    OdString answer;
    const int r = m_input.getString(shown, "?", kPromptEmptyAllowed | kPromptBlanksAllowed, answer);
    if (r == kPromptCancelled) {
      selected.clear();
      return kSelectionCancelled;
    }
    if (r == kPromptEnter) return selected.empty() ? kSelectionNone : kSelectionOk;
    if (r == kPromptText && otherAnswer && otherAnswer(answer)) continue;
    if (r == kPromptKeyword) {
      listSelectable(filter);
      continue;
    }
    Found found;
    if (const std::optional<bool> crossing = boxAnswer(qrv::toUpper(answer))) {
      if (!boxSelector()) {
        m_input.print(hostText(HostText::kSelectionNoBoxes));
        continue;
      }
      HostSelectionBox box;
      if (!askBox(*crossing, box)) {
        selected.clear();
        return kSelectionCancelled;
      }
      m_lastBox = box;
      found = screen(boxSelector()(currentSpaceEntities(m_db), box), flags, filter);
    } else {
      found = resolve(answer, flags, filter);
    }
    if (!found.understood) {
      m_input.print(hostFormat(hostText(HostText::kSelectionInvalid).c_str(), answer.c_str()));
      continue;
    }
    int duplicates = 0;
    std::unordered_set<OdDbObjectId> already(selected.begin(), selected.end());
    for (OdDbObjectId id : found.ids) {
      if (!already.insert(id).second) {
        ++duplicates;
        continue;
      }
      selected.push_back(id);
      if (flags & kSelSingle) break;
    }
    m_input.print(hostFormat(hostText(HostText::kSelectionFound).c_str(),
                             static_cast<int>(found.ids.size()), static_cast<int>(selected.size())));
    if (duplicates) m_input.print(hostFormat(hostText(HostText::kSelectionDuplicates).c_str(), duplicates));
    if (found.lockedSkipped)
      m_input.print(hostFormat(hostText(HostText::kSelectionLocked).c_str(), found.lockedSkipped));
    if (found.filteredOut)
      m_input.print(hostFormat(hostText(HostText::kSelectionFiltered).c_str(), found.filteredOut));
    if ((flags & kSelSingle) && !selected.empty()) return kSelectionOk;
  }
}
