// -LAYER: the drawing's layers at the command line, as drafters type them.
// One option after another until an empty answer; every change of the run
// is one undo step.

#include "OdDbDatabase.h"
#include "OdDbLayerTableRecord.h"
#include "OdDbLinetypeTableRecord.h"
#include "OdDbSymUtil.h"
#include "OdStringUtil.h"
#include "command_processor.h"
#include "documents.h"
#include "editor_input.h"
#include "host_commands.h"
#include "layer_rules.h"
#include "layer_texts.h"
#include "sysvars.h"
#include "text_format.h"

namespace qrvhost {

namespace {

// In the order of the option list.
enum Option { kList, kMake, kSet, kNew, kOn, kOff, kColor, kLtype, kLweight, kFreeze, kThaw, kLock, kUnlock,
              kRename, kDelete, kOptionCount };

using Text = LayerText;

// "*" any run of characters, "?" any one; letter case does not count.
bool wildcardMatch(const std::u32string& pattern, const std::u32string& name) {
  std::size_t p = 0, n = 0, star = std::u32string::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == name[n])) {
      ++p, ++n;
    } else if (p < pattern.size() && pattern[p] == U'*') {
      star = p++;
      resume = n;
    } else if (star != std::u32string::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == U'*') ++p;
  return p == pattern.size();
}

std::u32string folded(std::string_view text) {
  const std::string f = qrv::foldCase(text);
  std::u32string out;
  for (std::size_t i = 0; i < f.size();) out.push_back(qrv::decodeUtf8(f, i));
  return out;
}

// The names of a comma-separated list, trimmed, empty ones left out.
std::vector<std::string> nameList(const std::string& typed) {
  std::vector<std::string> names;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = typed.find(',', start);
    std::string name = hostTrim(std::string_view(typed).substr(start, comma - start));
    if (!name.empty()) names.push_back(std::move(name));
    if (comma == std::string::npos) return names;
    start = comma + 1;
  }
}

class LayerRun {
public:
  explicit LayerRun(CommandProcessor& cp, OdDbDatabase& db) : m_cp(cp), m_db(db) {}

  void run() {
    for (;;) {
      const int r = m_cp.input().getKeyword(layerText(Text::kOptionPrompt), layerText(Text::kOptions),
                                            kPromptEmptyAllowed);
      if (r < kPromptKeyword) return;  // Enter ends the command, as does a cancel
      switch (static_cast<Option>((r - kPromptKeyword) % kOptionCount)) {
        case kList: list(); break;
        case kMake: make(); break;
        case kSet: set(); break;
        case kNew: createNew(); break;
        case kOn: forEach(Text::kOnPrompt, [](OdDbLayerTableRecord& l) { return flip(l.isOff(), l, &OdDbLayerTableRecord::setIsOff, false); }); break;
        case kOff: turnOff(); break;
        case kColor: color(); break;
        case kLtype: linetype(); break;
        case kLweight: lineweight(); break;
        case kFreeze: freeze(); break;
        case kThaw: forEach(Text::kThawPrompt, [](OdDbLayerTableRecord& l) { return flip(l.isFrozen(), l, &OdDbLayerTableRecord::setIsFrozen, false); }); break;
        case kLock: forEach(Text::kLockPrompt, [](OdDbLayerTableRecord& l) { return flip(!l.isLocked(), l, &OdDbLayerTableRecord::setIsLocked, true); }); break;
        case kUnlock: forEach(Text::kUnlockPrompt, [](OdDbLayerTableRecord& l) { return flip(l.isLocked(), l, &OdDbLayerTableRecord::setIsLocked, false); }); break;
        case kRename: rename(); break;
        case kDelete: remove(); break;
        case kOptionCount: return;
      }
    }
  }

private:
  HostEdInput& input() { return m_cp.input(); }
  void say(Text id) { input().print(layerText(id)); }
  void say(Text id, const OdString& a) { input().print(hostFormat(layerText(id).c_str(), a.c_str())); }
  // A name or answer the command cannot use: counted as refused, so that a
  // batch run does not call the drawing done.
  void refuse(Text id, const OdString& a) { input().refuse(hostFormat(layerText(id).c_str(), a.c_str())); }

  void refuseName(const OdString& name, const OdString& reason) {
    input().refuse(hostFormat(layerText(Text::kBadName).c_str(), name.c_str(), reason.c_str()));
  }

  // Sets a flag when it differs; says whether anything changed.
  static bool flip(bool differs, OdDbLayerTableRecord& layer, void (OdDbLayerTableRecord::*setter)(bool), bool to) {
    if (!differs) return false;
    (layer.*setter)(to);
    return true;
  }

  OdDbLayerTablePtr table(OdDb::OpenMode mode = OdDb::kForRead) {
    return m_db.getLayerTableId().safeOpenObject(mode);
  }
  OdString currentName() {
    OdDbLayerTableRecordPtr current = m_db.getCLAYER().safeOpenObject();
    return current->getName();
  }

  // The live layers the patterns of a list name, in table order; each
  // pattern that names none is refused.
  std::vector<OdDbObjectId> matching(const std::string& typed) {
    std::vector<OdDbObjectId> found;
    OdDbLayerTablePtr layers = table();
    for (const std::string& pattern : nameList(typed)) {
      const std::u32string p = folded(pattern);
      bool any = false;
      for (OdDbObjectId id : layers->recordIds()) {
        if (id.isErased()) continue;
        OdDbSymbolTableRecordPtr layer = id.safeOpenObject();
        if (!wildcardMatch(p, folded(layer->getName()))) continue;
        any = true;
        if (std::find(found.begin(), found.end(), id) == found.end()) found.push_back(id);
      }
      if (!any) refuse(Text::kNoMatch, pattern);
    }
    return found;
  }

  // Asks for a list of layers; Enter gives the current layer when
  // `enterIsCurrent`, else nothing.
  std::vector<OdDbObjectId> askLayers(const OdString& prompt, bool enterIsCurrent) {
    OdString typed;
    const int r = input().getString(prompt, "", kPromptEmptyAllowed | kPromptBlanksAllowed, typed);
    if (r == kPromptEnter && enterIsCurrent) return {m_db.getCLAYER()};
    if (r != kPromptText) return {};
    return matching(typed);
  }

  template <class Change>
  void forEach(Text prompt, Change change) {
    changeLayers(askLayers(layerText(prompt), false), change);
  }

  template <class Change>
  void changeLayers(const std::vector<OdDbObjectId>& ids, Change change) {
    int changed = 0;
    for (OdDbObjectId id : ids) {
      OdDbLayerTableRecordPtr layer = id.safeOpenObject(OdDb::kForWrite);
      if (change(*layer)) ++changed;
    }
    if (!ids.empty()) input().print(hostFormat(layerText(Text::kChanged).c_str(), changed));
  }

  void list() {
    OdString typed;
    const int r = input().getString(layerText(Text::kListPrompt), "", kPromptEmptyAllowed | kPromptBlanksAllowed, typed);
    if (r == kPromptCancelled) return;
    const std::vector<OdDbObjectId> ids = matching(r == kPromptText ? std::string(typed) : std::string("*"));
    if (ids.empty()) return;
    say(Text::kListHeader);
    const OdString current = currentName();
    for (OdDbObjectId id : ids) {
      OdDbLayerTableRecordPtr layer = id.safeOpenObject();
      OdString state = layerText(layer->isOff() ? Text::kStateOff : Text::kStateOn);
      if (layer->isFrozen()) state += " " + layerText(Text::kStateFrozen);
      if (layer->isLocked()) state += " " + layerText(Text::kStateLocked);
      OdString linetype = "Continuous";
      if (OdDbObjectId lt = layer->linetypeObjectId(); !lt.isNull() && !lt.isErased()) {
        OdDbSymbolTableRecordPtr record = lt.safeOpenObject();
        linetype = record->getName();
      }
      input().print(hostFormat("%-32s %-19s %-11s %-16s %s%s", layer->getName().c_str(), state.c_str(),
                               layer->color().colorNameForDisplay().c_str(), linetype.c_str(),
                               layerLineweightText(layer->lineWeight()).c_str(),
                               qrv::equalNoCase(layer->getName(), current) ? "  *" : ""));
    }
  }

  // A new layer, its name checked first.
  OdDbObjectId createLayer(const OdString& name) {
    OdString reason;
    if (OdDbSymUtil::validateSymbolName(name, &m_db, false, &reason) != eOk) {
      refuseName(name, reason);
      return {};
    }
    OdDbLayerTablePtr layers = table(OdDb::kForWrite);
    if (layers->has(name)) {
      refuse(Text::kExists, name);
      return {};
    }
    layers.release();
    const OdDbObjectId id = addLayer(m_db, name);
    say(Text::kCreated, name);
    return id;
  }

  bool makeCurrent(OdDbObjectId id) {
    OdDbLayerTableRecordPtr layer = id.safeOpenObject();
    if (layer->isFrozen()) {
      refuse(Text::kFrozenNotCurrent, layer->getName());
      return false;
    }
    m_db.setCLAYER(id);
    say(Text::kCurrentIs, layer->getName());
    return true;
  }

  void make() {
    OdString name;
    const OdString prompt = hostFormat(layerText(Text::kMakePrompt).c_str(), currentName().c_str());
    if (input().getString(prompt, "", kPromptEmptyAllowed | kPromptBlanksAllowed, name) != kPromptText) return;
    OdDbObjectId id = table()->getAt(name);
    if (id.isNull()) id = createLayer(name);
    if (!id.isNull()) makeCurrent(id);
  }

  void set() {
    OdString name;
    const OdString prompt = hostFormat(layerText(Text::kSetPrompt).c_str(), currentName().c_str());
    if (input().getString(prompt, "", kPromptEmptyAllowed | kPromptBlanksAllowed, name) != kPromptText) return;
    const OdDbObjectId id = table()->getAt(name);
    if (id.isNull()) refuse(Text::kNoMatch, name);
    else makeCurrent(id);
  }

  void createNew() {
    OdString typed;
    if (input().getString(layerText(Text::kNewPrompt), "", kPromptEmptyAllowed | kPromptBlanksAllowed, typed) !=
        kPromptText)
      return;
    for (const std::string& name : nameList(typed)) createLayer(name);
  }

  void turnOff() {
    const OdDbObjectId current = m_db.getCLAYER();
    changeLayers(askLayers(layerText(Text::kOffPrompt), false), [&](OdDbLayerTableRecord& l) {
      if (l.isOff()) return false;
      l.setIsOff(true);
      // Allowed, as drafters expect, but said: new objects will not show.
      if (l.objectId() == current) say(Text::kCurrentOff, l.getName());
      return true;
    });
  }

  void freeze() {
    const OdDbObjectId current = m_db.getCLAYER();
    changeLayers(askLayers(layerText(Text::kFreezePrompt), false), [&](OdDbLayerTableRecord& l) {
      if (l.objectId() == current) {
        refuse(Text::kCurrentNotFrozen, l.getName());
        return false;
      }
      return flip(!l.isFrozen(), l, &OdDbLayerTableRecord::setIsFrozen, true);
    });
  }

  // Asks for a value until one is usable; false on Enter or a cancel.
  template <class Parse>
  bool askValue(Text prompt, Text refusal, Parse parse) {
    for (;;) {
      OdString typed;
      if (input().getString(layerText(prompt), "", kPromptEmptyAllowed | kPromptBlanksAllowed, typed) != kPromptText)
        return false;
      if (parse(std::string(typed))) return true;
      refuse(refusal, typed);
    }
  }

  OdString layersPrompt(Text id, const OdString& value) {
    return hostFormat(layerText(id).c_str(), value.c_str(), currentName().c_str());
  }

  void color() {
    OdCmColor chosen;
    const bool got = askValue(Text::kColorPrompt, Text::kBadColor, [&](const std::string& typed) {
      const std::optional<OdCmColor> c = hostParseColor(typed);
      if (!c || !isLayerColor(*c)) return false;
      chosen = *c;
      return true;
    });
    if (!got) return;
    changeLayers(askLayers(layersPrompt(Text::kColorLayersPrompt, chosen.colorNameForDisplay()), true),
                 [&](OdDbLayerTableRecord& l) {
                   if (l.color() == chosen) return false;
                   l.setColor(chosen);
                   return true;
                 });
  }

  void linetype() {
    OdDbObjectId chosen;
    OdString name;
    const bool got = askValue(Text::kLtypePrompt, Text::kNotLoaded, [&](const std::string& typed) {
      OdDbSymbolTablePtr types = m_db.getLinetypeTableId().safeOpenObject();
      chosen = types->getAt(typed);
      if (chosen.isNull()) return false;
      OdDbSymbolTableRecordPtr record = chosen.safeOpenObject();
      name = record->getName();
      return true;
    });
    if (!got) {
      // Enter takes the prompt's default.
      chosen = m_db.getLinetypeContinuousId();
      OdDbSymbolTableRecordPtr record = chosen.safeOpenObject();
      name = record->getName();
    }
    changeLayers(askLayers(layersPrompt(Text::kLtypeLayersPrompt, name), true),
                 [&](OdDbLayerTableRecord& l) {
                   if (l.linetypeObjectId() == chosen) return false;
                   l.setLinetypeObjectId(chosen);
                   return true;
                 });
  }

  void lineweight() {
    OdDb::LineWeight chosen = OdDb::kLnWtByLwDefault;
    const bool got = askValue(Text::kLweightPrompt, Text::kBadLweight, [&](const std::string& typed) {
      const auto w = parseLayerLineweight(typed);
      if (w) chosen = *w;
      return w.has_value();
    });
    if (!got) return;
    changeLayers(askLayers(layersPrompt(Text::kLweightLayersPrompt, layerLineweightText(chosen)), true),
                 [&](OdDbLayerTableRecord& l) {
                   if (l.lineWeight() == chosen) return false;
                   l.setLineWeight(chosen);
                   return true;
                 });
  }

  void rename() {
    OdString from, to;
    if (input().getString(layerText(Text::kRenameFromPrompt), "", kPromptBlanksAllowed, from) != kPromptText) return;
    const OdDbObjectId id = table()->getAt(from);
    if (id.isNull()) return refuse(Text::kNoMatch, from);
    if (id == m_db.getLayerZeroId()) return input().refuse(layerText(Text::kZeroFixed));
    if (input().getString(layerText(Text::kRenameToPrompt), "", kPromptBlanksAllowed, to) != kPromptText) return;
    OdString reason;
    if (OdDbSymUtil::validateSymbolName(to, &m_db, false, &reason) != eOk)
      return refuseName(to, reason);
    const OdDbObjectId other = table()->getAt(to);
    if (!other.isNull() && other != id) return refuse(Text::kExists, to);
    OdDbLayerTableRecordPtr layer = id.safeOpenObject(OdDb::kForWrite);
    const OdString old = layer->getName();
    layer->setName(to);
    input().print(hostFormat(layerText(Text::kRenamed).c_str(), old.c_str(), to.c_str()));
  }

  void remove() {
    OdString typed;
    if (input().getString(layerText(Text::kDeletePrompt), "", kPromptEmptyAllowed | kPromptBlanksAllowed, typed) !=
        kPromptText)
      return;
    for (OdDbObjectId id : matching(typed)) {
      OdDbLayerTableRecordPtr layer = id.safeOpenObject(OdDb::kForWrite);
      const OdString name = layer->getName();
      if (const OdString why = whyLayerStays(m_db, id); !why.empty()) {
        input().refuse(why);
      } else {
        layer->erase();
        say(Text::kDeleted, name);
      }
    }
  }

  CommandProcessor& m_cp;
  OdDbDatabase& m_db;
};

}  // namespace

void commandLayer(CommandProcessor& cp) {
  HostApDocument* doc = cp.requireDocument();
  if (!doc) return;
  LayerRun(cp, *doc->database()).run();
}

}  // namespace qrvhost
