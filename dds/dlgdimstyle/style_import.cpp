#include "style_import.h"

#include <algorithm>
#include <filesystem>

#include "OdDbDimStyleTableRecord.h"
#include "OdDbSymUtil.h"
#include "drawing_io.h"
#include "stdafx/module_log.h"
#include "style_store.h"

namespace dds {
namespace {

namespace fs = std::filesystem;

// The undo step's name: the command's, whoever runs the import.
constexpr const char* kUndoName = "DIMSTYLEIMPORT";

bool isIdVariable(int index) { return OdDbDimVars::describe(index).type == OdDbDimVarType::kObjectId; }

// A style of the source and the child styles that come with it; without a
// style, a name asked for that the source does not have. A style the
// source holds twice (names equal but for letter case) comes once; the
// other record is a group of its own, refused with `why`.
struct StyleGroup {
  OdDbObjectId style;
  std::vector<OdDbObjectId> children;
  OdString missingName;
  CopyNote why;
};

constexpr const char* kBadNameNote =
    "its name cannot be a style name here (empty, longer than 255 characters, blanks at either end, control "
    "characters or one of < > / \\ \" : ; ? * | = ' `)";
constexpr const char* kTwinNote = "the source drawing has \"%s\" too, equal but for letter case; only that one is taken";

// The record spelled exactly so; null when only a record spelled otherwise
// (letter case) has the name, or none.
OdDbObjectId exactlyNamed(const OdDbDimStyleTable& table, const OdString& name) {
  for (auto it = table.newIterator(); !it->done(); it->step())
    if (it->getRecord()->getName() == name) return it->getRecordId();
  return OdDbObjectId();
}

OdDbDimStyleTablePtr styleTable(const OdDbDatabase& db, OdDb::OpenMode mode = OdDb::kForRead) {
  return db.getDimStyleTableId().safeOpenObject(mode);
}

OdString nameOf(OdDbObjectId style) { return OdDbDimStyleTableRecordPtr(style.safeOpenObject())->getName(); }

StyleGroup groupOf(const OdDbDimStyleTable& table, OdDbObjectId style) {
  StyleGroup group{style, {}, {}, {}};
  if (parseChildStyle(style)) return group;  // a child asked for by name comes alone
  const OdString name = nameOf(style);
  for (int digit : kChildDigits) {
    const OdDbObjectId child = table.getAt(childStyleName(name, digit));
    if (!child.isNull()) group.children.push_back(child);
  }
  return group;
}

class Importer {
public:
  Importer(OdDbDatabase& target, const OdDbDatabase& source, ExistingStyles existing)
      : m_target(target), m_source(source), m_existing(existing), m_copier(source, target) {}

  void importGroup(const StyleGroup& group, StyleImportResult& result) {
    if (group.style.isNull()) {
      StyleImportLine missing;
      missing.outcome = StyleImportLine::kNotInSource;
      missing.name = group.missingName;
      result.lines.push_back(missing);
      return;
    }
    if (group.why) {
      StyleImportLine refused = line(StyleImportLine::kNotImported, group.style);
      refused.why = group.why;
      result.lines.push_back(refused);
      return;
    }
    // A name the drawing's table would refuse fails this style alone, not
    // the whole import.
    if (OdDbSymUtil::validateSymbolName(nameOf(group.style), &m_target, false) != eOk) {
      refuseGroup(group, CopyNote{kBadNameNote, OdString()}, result);
      return;
    }
    const OdDbObjectId existing = targetStyle(nameOf(group.style));
    if (!existing.isNull() && m_existing == ExistingStyles::kSkip) {
      // The drawing keeps its style as a whole, children included.
      result.lines.push_back(line(StyleImportLine::kSkipped, group.style));
      for (OdDbObjectId child : group.children)
        result.lines.push_back(line(StyleImportLine::kSkippedWithParent, child));
      return;
    }
    std::vector<OdDbObjectId> members{group.style};
    members.insert(members.end(), group.children.begin(), group.children.end());
    if (CopyNote why = whyNotImportable(members)) {
      refuseGroup(group, why, result);
      return;
    }
    for (OdDbObjectId member : members) result.lines.push_back(importStyle(member));
    if (!existing.isNull() && !parseChildStyle(group.style)) keptChildren(group, result);
  }

private:
  void refuseGroup(const StyleGroup& group, const CopyNote& why, StyleImportResult& result) const {
    std::vector<OdDbObjectId> members{group.style};
    members.insert(members.end(), group.children.begin(), group.children.end());
    for (OdDbObjectId member : members) {
      StyleImportLine refused = line(StyleImportLine::kNotImported, member);
      refused.why = why;
      result.lines.push_back(refused);
    }
  }

  StyleImportLine line(StyleImportLine::Outcome outcome, OdDbObjectId sourceStyle) const {
    StyleImportLine l;
    l.outcome = outcome;
    l.name = nameOf(sourceStyle);
    return l;
  }

  OdDbObjectId targetStyle(const OdString& name) const { return styleTable(m_target)->getAt(name); }

  CopyNote whyNotImportable(const std::vector<OdDbObjectId>& styles) {
    for (OdDbObjectId style : styles) {
      OdDbDimStyleTableRecordPtr rec = style.safeOpenObject();
      for (int i = 0; i < OdDbDimVars::kCount; ++i)
        if (isIdVariable(i))
          if (CopyNote why = m_copier.whyNotCopyable(std::get<OdDbObjectId>(rec->dimVar(i)))) return why;
    }
    return {};
  }

  // The source's values with every identifier replaced by the target's
  // counterpart.
  OdDbDimVars targetValues(const OdDbDimStyleTableRecord& from) {
    OdDbDimVars vars = from.dimVars();
    for (int i = 0; i < OdDbDimVars::kCount; ++i)
      if (isIdVariable(i)) vars.set(i, m_copier.counterpart(std::get<OdDbObjectId>(vars.get(i))));
    return vars;
  }

  StyleImportLine importStyle(OdDbObjectId sourceStyle) {
    OdDbDimStyleTableRecordPtr from = sourceStyle.safeOpenObject();
    StyleImportLine l = line(StyleImportLine::kImported, sourceStyle);
    const OdDbObjectId existing = targetStyle(from->getName());
    if (!existing.isNull() && m_existing == ExistingStyles::kSkip) {
      l.outcome = StyleImportLine::kSkipped;
      return l;
    }
    const OdDbDimVars vars = targetValues(*from);
    if (existing.isNull()) {
      OdDbDimStyleTableRecordPtr copy = OdDbDimStyleTableRecord::cast(from->clone().get());
      copy->setDimVars(vars);
      m_copier.copyXData(*from, *copy);
      styleTable(m_target, OdDb::kForWrite)->add(copy);
    } else {
      // The drawing's spelling of the name stays; everything else is the
      // source's, the annotative flag (extended data) included.
      OdDbDimStyleTableRecordPtr to = existing.safeOpenObject(OdDb::kForWrite);
      to->setDimVars(vars);
      m_copier.copyXData(*from, *to);
      l.outcome = StyleImportLine::kOverwritten;
    }
    l.added = m_copier.takeAdded();
    l.notes = m_copier.takeNotes();
    return l;
  }

  void keptChildren(const StyleGroup& group, StyleImportResult& result) const {
    const OdString parent = nameOf(group.style);
    OdDbDimStyleTablePtr source = styleTable(m_source);
    OdDbDimStyleTablePtr target = styleTable(m_target);
    for (int digit : kChildDigits) {
      const OdString name = childStyleName(parent, digit);
      const OdDbObjectId own = target->getAt(name);
      if (own.isNull() || source->has(name)) continue;
      StyleImportLine kept;
      kept.outcome = StyleImportLine::kKeptChild;
      kept.name = nameOf(own);
      result.lines.push_back(kept);
    }
  }

  OdDbDatabase& m_target;
  const OdDbDatabase& m_source;
  ExistingStyles m_existing;
  RecordCopier m_copier;
};

// The source styles to import, in the order asked for (table order for
// all); a name the source lacks keeps its place as a group without style.
std::vector<StyleGroup> chooseGroups(const OdDbDatabase& source, const std::vector<OdString>& names) {
  OdDbDimStyleTablePtr table = styleTable(source);
  std::vector<StyleGroup> groups;
  std::vector<OdDbObjectId> chosen;
  auto choose = [&](OdDbObjectId style) {
    if (std::find(chosen.begin(), chosen.end(), style) != chosen.end()) return;
    StyleGroup group = groupOf(*table, style);
    chosen.push_back(style);
    chosen.insert(chosen.end(), group.children.begin(), group.children.end());
    groups.push_back(group);
  };
  if (names.empty()) {
    for (auto it = table->newIterator(); !it->done(); it->step()) {
      OdDbDimStyleTableRecordPtr rec = it->getRecord();
      if (rec->isDependent() || parseChildStyle(rec->objectId())) continue;
      const OdDbObjectId first = table->getAt(rec->getName());
      if (first != rec->objectId())
        groups.push_back(StyleGroup{rec->objectId(), {}, {}, CopyNote{kTwinNote, nameOf(first)}});
      else
        choose(rec->objectId());
    }
    return groups;
  }
  for (const OdString& name : names) {
    OdDbObjectId style = table->getAt(name);
    OdDbDimStyleTableRecordPtr rec = style.openObject();
    const OdDbObjectId twin = rec ? exactlyNamed(*table, name) : OdDbObjectId();
    if (!twin.isNull() && twin != style)
      groups.push_back(StyleGroup{twin, {}, {}, CopyNote{kTwinNote, rec->getName()}});
    else if (!rec || rec->isDependent())
      groups.push_back(StyleGroup{OdDbObjectId(), {}, name, {}});
    else
      choose(style);
  }
  return groups;
}

}  // namespace

int StyleImportResult::count(StyleImportLine::Outcome outcome) const {
  return int(std::count_if(lines.begin(), lines.end(), [&](const StyleImportLine& l) { return l.outcome == outcome; }));
}

std::vector<OdString> importableStyleNames(const OdDbDatabase& source) {
  std::vector<OdString> names;
  OdDbDimStyleTablePtr table = styleTable(source);
  for (auto it = table->newIterator(); !it->done(); it->step()) {
    OdDbDimStyleTableRecordPtr rec = it->getRecord();
    if (!rec->isDependent() && !parseChildStyle(rec->objectId())) names.push_back(rec->getName());
  }
  return names;
}

StyleImportResult importDimStyles(OdDbDatabase& target, const OdDbDatabase& source, const std::vector<OdString>& names,
                                  ExistingStyles existing) {
  StyleImportResult result;
  const std::vector<StyleGroup> groups = chooseGroups(source, names);
  // Inside a caller's step the caller undoes; otherwise the import is a
  // step of its own and takes itself back on failure.
  const bool ownStep = !target.isUndoGroupOpen() && !target.isUndoRecordingBlocked();
  const std::uint64_t before = target.modificationStamp();
  target.beginUndoGroup(kUndoName);
  try {
    Importer importer(target, source, existing);
    for (const StyleGroup& group : groups) importer.importGroup(group, result);
  } catch (const OdError& e) {
    target.endUndoGroup();
    DDS_LOG_ERROR(kSrcDlgDimStyle, "importing dimension styles: " + e.description());
    // A step that changed nothing is dropped: then there is nothing to take back.
    if (ownStep && target.modificationStamp() != before) target.undoAndForget();
    throw;
  }
  target.endUndoGroup();
  return result;
}

std::unique_ptr<OdDbDatabase> readStyleSource(const OdString& typedPath) {
  const std::string path = hostDrawingPath(typedPath);
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (!fs::exists(status)) throw OdError(eFileNotFound, "no such file: " + path);
  if (!fs::is_regular_file(status)) throw OdError(eFileAccessErr, "not a drawing file: " + path);
  return hostReadDrawing(path);
}

}  // namespace dds
