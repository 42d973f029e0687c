// LAYER: the Layer manager. Every layer of the drawing in a list with its
// state, colour, linetype and lineweight; the chosen layer's values below
// it; New, Delete and Set Current beside it. Nothing is written until OK,
// and then all of it is one undo step; a value that cannot be taken is
// named in the dialog, which stays open.
#include <algorithm>
#include <optional>

#include "OdDbDatabase.h"
#include "OdDbLayerTableRecord.h"
#include "OdDbSymUtil.h"
#include "OdDbSymbolTable.h"
#include "OdStringUtil.h"
#include "command_processor.h"
#include "backend.h"
#include "control.h"
#include "dialog.h"
#include "documents.h"
#include "editor_input.h"
#include "host_commands.h"
#include "host_texts_local.h"
#include "layer_rules.h"
#include "sysvars.h"
#include "text_format.h"

namespace qrvhost {
namespace {

constexpr int kTemplateId = 9210;
enum : int {
  kList = 300,
  kNew = 301,
  kDelete = 302,
  kCurrent = 303,
  kName = 310,
  kOn = 311,
  kFrozen = 312,
  kLocked = 313,
  kColor = 314,
  kLinetype = 315,
  kLineweight = 316,
  kMessage = 320,
};
enum Column { kColName, kColCurrent, kColOn, kColFrozen, kColLocked, kColColor, kColLinetype, kColLineweight };

struct Texts {
  TwoLanguageText caption, name, on, frozen, locked, color, linetype, lineweight, newLayer, deleteLayer, current,
      cancel, yes, no, off, badName, twin, badColor, frozenCurrent, currentFrozen, newName;
};
const Texts kT{
    {"Layer Manager", "Диспетчер слоёв"},
    {"&Name:", "&Имя:"},
    {"O&n", "&Вкл"},
    {"&Frozen", "&Заморожен"},
    {"&Locked", "&Блокирован"},
    {"&Color:", "&Цвет:"},
    {"Line&type:", "&Тип линий:"},
    {"Line&weight:", "В&ес линий:"},
    {"&New", "&Новый"},
    {"&Delete", "&Удалить"},
    {"Set &Current", "&Текущий"},
    {"Cancel", "Отмена"},
    {"Yes", "Да"},
    {"No", "Нет"},
    {"Off", "Откл"},
    {"\"%s\" cannot be a layer name: %s.", "\"%s\" не может быть именем слоя: %s."},
    {"Two layers are named \"%s\".", "Два слоя названы \"%s\"."},
    {"\"%s\" is no colour: a colour name, a number 1-255 or R,G,B is expected.",
     "\"%s\" - не цвет: ожидается имя цвета, номер 1-255 или R,G,B."},
    {"Layer \"%s\" is frozen and cannot be made current.", "Слой \"%s\" заморожен и не может стать текущим."},
    {"Layer \"%s\" is the current layer and cannot be frozen.", "Слой \"%s\" текущий и не может быть заморожен."},
    {"Layer%d", "Слой%d"},
};
std::string say(const TwoLanguageText& t) { return inSessionLanguage(t); }

// One layer as the dialog holds it until OK; `id` is null for a new one.
struct LayerRow {
  OdDbObjectId id;
  std::string name;
  bool off = false, frozen = false, locked = false;
  OdCmColor color = OdCmColor::fromIndex(7);
  OdDbObjectId linetype;
  OdDb::LineWeight weight = OdDb::kLnWtByLwDefault;
};

class LayerDialog : public ui::DialogHandler {
public:
  explicit LayerDialog(OdDbDatabase& db) : m_db(db) {}

  std::intptr_t onMessage(ui::Dialog& d, const ui::Message& m) override {
    switch (m.msg) {
      case ui::kMsgInitDialog:
        load(d);
        return 1;
      case ui::kMsgClose:
        d.end(ui::kIdCancel);
        return 1;
      case ui::kMsgNotify:
        if (m.id == kList && m.code == ui::kNotifyItemChanged && !m_filling) show(d, m.item);
        return 1;
      case ui::kMsgCommand:
        if (!m_filling) command(d, m);
        return 1;
      default:
        return 0;
    }
  }

private:
  void command(ui::Dialog& d, const ui::Message& m) {
    LayerRow* row = shownRow();
    switch (m.id) {
      case kName:
        if (row && m.code == ui::kCmdEditChange) {
          row->name = d.control(kName)->text();
          d.control(kList)->setItemText(m_shown, kColName, row->name);
        }
        return;
      case kOn:
      case kFrozen:
      case kLocked:
        if (row && m.code == ui::kCmdClicked) flag(d, m.id, *row);
        return;
      case kColor:
        if (row && m.code == ui::kCmdEditChange) color(d, *row);
        return;
      case kLinetype:
        if (row && m.code == ui::kCmdSelChange) {
          const int at = d.control(kLinetype)->selection();
          if (at >= 0 && at < int(m_linetypes.size())) row->linetype = m_linetypes[std::size_t(at)];
          showCells(d, m_shown);
        }
        return;
      case kLineweight:
        if (row && m.code == ui::kCmdSelChange) {
          const int at = d.control(kLineweight)->selection();
          if (at >= 0 && at < int(m_weights.size())) row->weight = m_weights[std::size_t(at)];
          showCells(d, m_shown);
        }
        return;
      case kNew:
        if (m.code == ui::kCmdClicked) addRow(d);
        return;
      case kDelete:
        if (row && m.code == ui::kCmdClicked) removeRow(d);
        return;
      case kCurrent:
        if (row && m.code == ui::kCmdClicked) makeCurrent(d, *row);
        return;
      case ui::kIdOk:
        if (m.code == ui::kCmdClicked && check(d) && write(d)) d.end(ui::kIdOk);
        return;
      case ui::kIdCancel:
        if (m.code == ui::kCmdClicked) d.end(ui::kIdCancel);
        return;
    }
  }

  LayerRow* shownRow() { return m_shown >= 0 && m_shown < int(m_rows.size()) ? &m_rows[std::size_t(m_shown)] : nullptr; }
  void message(ui::Dialog& d, const std::string& text) { d.control(kMessage)->setText(text); }

  static std::string nameOf(OdDbObjectId id) {
    if (id.isNull() || id.isErased()) return "Continuous";
    OdDbSymbolTableRecordPtr record = id.safeOpenObject();
    return record->getName();
  }

  void load(ui::Dialog& d) {
    OdDbLayerTablePtr layers = m_db.getLayerTableId().safeOpenObject();
    for (OdDbObjectId id : layers->recordIds()) {
      if (id.isErased()) continue;
      OdDbLayerTableRecordPtr l = id.safeOpenObject();
      m_rows.push_back({id, l->getName(), l->isOff(), l->isFrozen(), l->isLocked(), l->color(), l->linetypeObjectId(),
                        l->lineWeight()});
      if (id == m_db.getCLAYER()) m_current = int(m_rows.size()) - 1;
    }
    OdDbSymbolTablePtr linetypes = m_db.getLinetypeTableId().safeOpenObject();
    ui::Control& types = *d.control(kLinetype);
    for (OdDbObjectId id : linetypes->recordIds()) {
      if (id.isErased()) continue;
      const std::string name = nameOf(id);
      // A layer's linetype is a pattern, never one that defers.
      if (qrv::equalNoCase(name, "ByLayer") || qrv::equalNoCase(name, "ByBlock")) continue;
      m_linetypes.push_back(id);
      types.addItem(name);
    }
    m_weights.push_back(OdDb::kLnWtByLwDefault);
    for (int w = 0; w <= 211; ++w)
      if (OdDb::isValidLineWeight(w)) m_weights.push_back(OdDb::LineWeight(w));
    ui::Control& weights = *d.control(kLineweight);
    for (OdDb::LineWeight w : m_weights) weights.addItem(layerLineweightText(w));

    ui::Control& list = *d.control(kList);
    list.setListStyle(ui::kListFullRowSelect | ui::kListLabelTips);
    const char* headers[][2] = {{"Name", "Имя"}, {"Current", "Текущий"}, {"On", "Вкл"}, {"Frozen", "Заморожен"},
                                {"Locked", "Блокирован"}, {"Color", "Цвет"}, {"Linetype", "Тип линий"},
                                {"Lineweight", "Вес линий"}};
    for (int c = 0; c < 8; ++c) list.insertColumn(c, say({headers[c][0], headers[c][1]}), 0);
    m_filling = true;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
      list.addItem("");
      showCells(d, int(i));
    }
    m_filling = false;
    // Each column as wide as its header or its widest cell, in either
    // language; names get room for longer ones typed later.
    for (int c = 0; c < 8; ++c) {
      int width = ui::measureText(list.columns()[std::size_t(c)].header).x;
      for (int i = 0; i < list.itemCount(); ++i) width = std::max(width, ui::measureText(list.itemText(i, c)).x);
      list.setColumnWidth(c, width + (c == kColName ? 40 : 16));
    }
    show(d, m_current);
  }

  void showCells(ui::Dialog& d, int i) {
    const LayerRow& r = m_rows[std::size_t(i)];
    ui::Control& list = *d.control(kList);
    list.setItemText(i, kColCurrent, i == m_current ? "*" : "");
    list.setItemText(i, kColName, r.name);
    list.setItemText(i, kColOn, r.off ? say(kT.off) : say({"On", "Вкл"}));
    list.setItemText(i, kColFrozen, say(r.frozen ? kT.yes : kT.no));
    list.setItemText(i, kColLocked, say(r.locked ? kT.yes : kT.no));
    list.setItemText(i, kColColor, r.color.colorNameForDisplay());
    list.setItemText(i, kColLinetype, nameOf(r.linetype));
    list.setItemText(i, kColLineweight, layerLineweightText(r.weight));
  }

  // The values of row i in the controls below the list.
  void show(ui::Dialog& d, int i) {
    m_shown = i;
    m_filling = true;
    d.control(kList)->setSelection(i);
    const LayerRow* r = shownRow();
    for (int id : {kName, kOn, kFrozen, kLocked, kColor, kLinetype, kLineweight, kDelete, kCurrent})
      d.control(id)->enable(r != nullptr);
    if (r) {
      d.control(kName)->setText(r->name);
      // Layer 0 keeps its name.
      d.control(kName)->enable(r->id != m_db.getLayerZeroId());
      d.control(kOn)->setCheck(r->off ? ui::kUnchecked : ui::kChecked);
      d.control(kFrozen)->setCheck(r->frozen ? ui::kChecked : ui::kUnchecked);
      d.control(kLocked)->setCheck(r->locked ? ui::kChecked : ui::kUnchecked);
      d.control(kColor)->setText(r->color.colorNameForDisplay());
      const auto type = std::find(m_linetypes.begin(), m_linetypes.end(), r->linetype);
      d.control(kLinetype)->setSelection(type == m_linetypes.end() ? -1 : int(type - m_linetypes.begin()));
      const auto weight = std::find(m_weights.begin(), m_weights.end(), r->weight);
      d.control(kLineweight)->setSelection(weight == m_weights.end() ? -1 : int(weight - m_weights.begin()));
    }
    m_filling = false;
  }

  void flag(ui::Dialog& d, int id, LayerRow& row) {
    const bool checked = d.control(id)->check() == ui::kChecked;
    if (id == kFrozen && checked && m_shown == m_current) {
      message(d, hostFormat(say(kT.currentFrozen).c_str(), row.name.c_str()));
      d.control(kFrozen)->setCheck(ui::kUnchecked);
      return;
    }
    if (id == kOn) row.off = !checked;
    if (id == kFrozen) row.frozen = checked;
    if (id == kLocked) row.locked = checked;
    message(d, "");
    showCells(d, m_shown);
  }

  // A colour is taken as soon as it reads as one; until then the dialog
  // says what it expects, and OK waits.
  bool color(ui::Dialog& d, LayerRow& row) {
    const std::string typed = d.control(kColor)->text();
    const std::optional<OdCmColor> c = hostParseColor(hostTrim(typed));
    if (!c || !isLayerColor(*c)) {
      message(d, hostFormat(say(kT.badColor).c_str(), typed.c_str()));
      return false;
    }
    row.color = *c;
    message(d, "");
    showCells(d, m_shown);
    return true;
  }

  void addRow(ui::Dialog& d) {
    std::string name;
    for (int n = 1;; ++n) {
      name = hostFormat(say(kT.newName).c_str(), n);
      const bool taken = std::any_of(m_rows.begin(), m_rows.end(),
                                     [&](const LayerRow& r) { return qrv::equalNoCase(r.name, name); });
      if (!taken) break;
    }
    LayerRow row;
    row.name = name;
    row.linetype = m_db.getLinetypeContinuousId();
    m_rows.push_back(row);
    d.control(kList)->addItem("");
    showCells(d, int(m_rows.size()) - 1);
    show(d, int(m_rows.size()) - 1);
    message(d, "");
  }

  void removeRow(ui::Dialog& d) {
    const LayerRow& row = m_rows[std::size_t(m_shown)];
    if (m_shown == m_current) {
      message(d, hostFormat(layerTextCurrent().c_str(), row.name.c_str()));
      return;
    }
    if (!row.id.isNull()) {
      if (const OdString why = whyLayerStays(m_db, row.id); !why.empty()) {
        message(d, why);
        return;
      }
      m_deleted.push_back(row.id);
    }
    m_rows.erase(m_rows.begin() + m_shown);
    d.control(kList)->deleteItem(m_shown);
    if (m_current > m_shown) --m_current;
    message(d, "");
    show(d, std::min(m_shown, int(m_rows.size()) - 1));
  }

  static std::string layerTextCurrent() {
    return inSessionLanguage({"Layer \"%s\" is the current layer and cannot be deleted.",
                              "Слой \"%s\" текущий и не может быть удалён."});
  }

  void makeCurrent(ui::Dialog& d, const LayerRow& row) {
    if (row.frozen) {
      message(d, hostFormat(say(kT.frozenCurrent).c_str(), row.name.c_str()));
      return;
    }
    const int before = m_current;
    m_current = m_shown;
    if (before >= 0) showCells(d, before);
    showCells(d, m_current);
    message(d, "");
  }

  // Names valid and distinct, the colour box readable; else the dialog
  // names the first fault and shows its layer.
  bool check(ui::Dialog& d) {
    if (LayerRow* row = shownRow(); row && !color(d, *row)) return false;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
      const LayerRow& r = m_rows[i];
      OdString reason;
      if (r.id != m_db.getLayerZeroId() && OdDbSymUtil::validateSymbolName(r.name, &m_db, false, &reason) != eOk) {
        show(d, int(i));
        message(d, hostFormat(say(kT.badName).c_str(), r.name.c_str(), reason.c_str()));
        return false;
      }
      for (std::size_t k = 0; k < i; ++k)
        if (qrv::equalNoCase(m_rows[k].name, r.name)) {
          show(d, int(i));
          message(d, hostFormat(say(kT.twin).c_str(), r.name.c_str()));
          return false;
        }
    }
    return true;
  }

  bool write(ui::Dialog& d) {
    try {
      for (OdDbObjectId id : m_deleted) {
        OdDbObjectPtr layer = id.safeOpenObject(OdDb::kForWrite);
        layer->erase();
      }
      // Renamed layers pass through names of their own first, so that two
      // layers may trade names.
      std::vector<std::size_t> renamed;
      for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const LayerRow& r = m_rows[i];
        if (r.id.isNull()) continue;
        OdDbLayerTableRecordPtr layer = r.id.safeOpenObject(OdDb::kForWrite);
        if (layer->getName() == r.name) continue;
        layer->setName(hostFormat("$qrv-renaming-%zu", i));
        renamed.push_back(i);
      }
      for (LayerRow& r : m_rows) {
        if (r.id.isNull()) r.id = addLayer(m_db, r.name);
        OdDbLayerTableRecordPtr layer = r.id.safeOpenObject(OdDb::kForWrite);
        if (layer->getName() != r.name) layer->setName(r.name);
        if (layer->isOff() != r.off) layer->setIsOff(r.off);
        if (layer->isFrozen() != r.frozen) layer->setIsFrozen(r.frozen);
        if (layer->isLocked() != r.locked) layer->setIsLocked(r.locked);
        if (!(layer->color() == r.color)) layer->setColor(r.color);
        if (layer->linetypeObjectId() != r.linetype && !r.linetype.isNull()) layer->setLinetypeObjectId(r.linetype);
        if (layer->lineWeight() != r.weight) layer->setLineWeight(r.weight);
      }
      if (m_current >= 0 && m_rows[std::size_t(m_current)].id != m_db.getCLAYER())
        m_db.setCLAYER(m_rows[std::size_t(m_current)].id);
    } catch (const OdError& e) {
      // The command's undo step takes back what was written so far.
      message(d, e.description());
      return false;
    }
    return true;
  }

  OdDbDatabase& m_db;
  std::vector<LayerRow> m_rows;
  std::vector<OdDbObjectId> m_deleted;
  std::vector<OdDbObjectId> m_linetypes;
  std::vector<OdDb::LineWeight> m_weights;
  int m_shown = -1, m_current = -1;
  bool m_filling = false;
};

ui::DialogTemplate layerTemplate() {
  ui::DialogTemplate tmpl;
  tmpl.id = kTemplateId;
  tmpl.language = hostLanguage();
  tmpl.caption = say(kT.caption);
  tmpl.cx = 470;
  tmpl.cy = 232;
  // The texts live as long as the template: kept in strings of their own.
  static std::vector<std::string> keep;
  keep = {say(kT.newLayer), say(kT.deleteLayer), say(kT.current), say(kT.name), say(kT.on), say(kT.frozen),
          say(kT.locked), say(kT.color), say(kT.linetype), say(kT.lineweight), say(kT.cancel)};
  using ui::ControlKind;
  const unsigned check = ui::kStyleAutoCheck | ui::kStyleTabStop;
  tmpl.controls = {
      {kList, ControlKind::kListView, "", {6, 6, 386, 140}, ui::kStyleSingleSel | ui::kStyleNoSortHeader | ui::kStyleTabStop},
      {kNew, ControlKind::kButton, keep[0].c_str(), {398, 6, 66, 14}, ui::kStyleTabStop},
      {kDelete, ControlKind::kButton, keep[1].c_str(), {398, 24, 66, 14}, ui::kStyleTabStop},
      {kCurrent, ControlKind::kButton, keep[2].c_str(), {398, 42, 66, 14}, ui::kStyleTabStop},
      {-1, ControlKind::kLabel, keep[3].c_str(), {6, 156, 50, 8}, 0},
      {kName, ControlKind::kEdit, "", {58, 154, 130, 12}, ui::kStyleTabStop},
      {kOn, ControlKind::kCheckBox, keep[4].c_str(), {200, 155, 50, 10}, check},
      {kFrozen, ControlKind::kCheckBox, keep[5].c_str(), {254, 155, 70, 10}, check},
      {kLocked, ControlKind::kCheckBox, keep[6].c_str(), {328, 155, 80, 10}, check},
      {-1, ControlKind::kLabel, keep[7].c_str(), {6, 174, 50, 8}, 0},
      {kColor, ControlKind::kEdit, "", {58, 172, 70, 12}, ui::kStyleTabStop},
      {-1, ControlKind::kLabel, keep[8].c_str(), {136, 174, 52, 8}, 0},
      {kLinetype, ControlKind::kDropDown, "", {190, 172, 90, 12}, ui::kStyleTabStop},
      {-1, ControlKind::kLabel, keep[9].c_str(), {288, 174, 56, 8}, 0},
      {kLineweight, ControlKind::kDropDown, "", {346, 172, 68, 12}, ui::kStyleTabStop},
      {kMessage, ControlKind::kLabel, "", {6, 190, 458, 16}, 0},
      {ui::kIdOk, ControlKind::kButton, "OK", {352, 212, 54, 14}, ui::kStyleDefault | ui::kStyleTabStop},
      {ui::kIdCancel, ControlKind::kButton, keep[10].c_str(), {410, 212, 54, 14}, ui::kStyleTabStop},
  };
  return tmpl;
}

}  // namespace

void commandLayerManager(CommandProcessor& cp) {
  HostApDocument* doc = cp.requireDocument();
  if (!doc) return;
  // A window when the session has one, else the script or terminal plays it.
  ui::selectSessionBackend();
  LayerDialog handler(*doc->database());
  ui::runModalDialog(layerTemplate(), handler, nullptr);
}

}  // namespace qrvhost
