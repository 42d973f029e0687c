// The Properties palette as a window of the window layer: a type filter at
// the top, then per category a header and per row its label and in-place
// control (a drop-down for list rows, an edit box for the others), and a
// Close button. A module's editor objects take over their controls, so a
// choice in a list is written at once (through the palette, to every selected
// class); the window runs the controls of rows whose editors take over none
// (the host's General rows) itself, from the palette model. Enter writes what
// was typed into an edit box.
#include "palette_window.h"

#include <string>
#include <vector>

#include "backend.h"
#include "control.h"
#include "dialog.h"
#include "dialog_template.h"
#include "host_log.h"
#include "OdCmColor.h"
#include "documents.h"
#include "linetype_file.h"
#include "opm/drawing_names.h"
#include "opm/list_kinds.h"
#include "opm/opm_services.h"
#include "opm/palette_model.h"
#include "picker_dialogs.h"
#include "swatch_painter.h"
#include "sysvars.h"
#include "translation.h"

namespace ui {

namespace {

constexpr int kPaletteTemplateId = 9000;
constexpr int kFilterId = 100;
constexpr int kFirstRowId = 1000;
constexpr int kRowHeight = 14;  // dialog units
constexpr int kWidth = 260;
constexpr int kLabelWidth = 120;
// The dialog ends with this result when the type filter changed: the rows
// are built anew and the window opened again in the same place.
constexpr int kRebuild = 100;

bool russian() { return hostLanguage() == HostLanguage::kRussian; }

// "Load...": a linetype file (the program's own unless the user picks
// another), then one of its linetypes, which is loaded into the drawing.
bool chooseLinetypeToLoad(Dialog* owner, OdDbDatabase* db, OdString& name) {
  using opm::kinds::say;
  std::string path = hostDefaultLinetypeFile();
  if (!askOpenFileName(owner, say("Load Linetypes"), say("Linetype file:"), "*.lin", path)) return false;
  std::vector<LinetypeDefinition> definitions;
  OdString message;
  if (!hostReadLinetypeFile(path, definitions, message)) {
    hostTraceNote("host/palette", __LINE__, message);
    return false;
  }
  std::vector<std::string> names;
  for (const LinetypeDefinition& d : definitions)
    if (!d.complex) names.push_back(d.name);
  std::string chosen = name;
  if (!chooseDialog(owner, say("Load Linetypes"), say("Linetype:"), names, chosen)) return false;
  std::vector<OdString> loaded;
  const std::size_t slash = path.find_last_of('/');
  const bool ok = hostLoadLinetypes(db, definitions, chosen, slash == std::string::npos ? path : path.substr(slash + 1),
                                    loaded, message);
  hostTraceNote("host/palette", __LINE__, message);
  if (!ok || loaded.empty()) return false;
  name = loaded.front();
  return true;
}

class PaletteWindow : public DialogHandler {
public:
  explicit PaletteWindow(PaletteModel& palette) : m_palette(palette) {}

  // False when the template could not be made into a window.
  bool run() {
    // While the window is up its list entries pick in dialogs, not at the
    // command line.
    const HostPickers previous = hostGetPickers();
    hostSetPickers(windowPickers());
    struct Restore {
      HostPickers pickers;
      ~Restore() { hostSetPickers(std::move(pickers)); }
    } restore{previous};
    for (;;) {
      const DialogTemplate tmpl = makeTemplate();
      const int result = runModalDialog(tmpl, *this, nullptr, nullptr);
      if (result == -1) return false;
      if (result != kRebuild) return true;
    }
  }

  std::intptr_t onMessage(Dialog& dialog, const Message& m) override {
    switch (m.msg) {
      case kMsgInitDialog:
        attachEditors(dialog);
        return 1;
      case kMsgCommand:
        return onCommand(dialog, m);
      case kMsgDrawItem:
        return drawOwnItem(m);
      case kMsgClose:
        dialog.end(kIdCancel);
        return 1;
      default:
        return 0;
    }
  }

private:
  std::intptr_t onCommand(Dialog& dialog, const Message& m) {
    if (m.id == kIdCancel) {
      dialog.end(kIdCancel);
      return 1;
    }
    if (m.id == kFilterId && m.code == kCmdSelChange) {
      const Control* filter = dialog.control(kFilterId);
      if (filter && filter->selection() >= 0 && m_palette.setFilter(filter->itemText(filter->selection())))
        dialog.end(kRebuild);
      return 1;
    }
    if (m.id == kIdOk) {  // Enter: write the edit box that has the focus
      applyFocusedEdit(dialog);
      return 1;
    }
    if (m.code == kCmdSelChange && ownRow(m.id)) {  // a pick in a list the window runs
      const Control* list = dialog.control(m.id);
      const int item = list ? list->selection() : -1;
      if (item < 0) return 1;
      const PaletteModel::Row& row = m_palette.rows()[std::size_t(m.id - kFirstRowId)];
      OdString message;
      if (!m_palette.setValue(row, list->itemText(item), message) || !message.empty())
        hostTraceNote("host/palette", __LINE__, PaletteModel::shownName(row) + ": " + message);
      showMessage(dialog, message);
      afterWrite(dialog);
      return 1;
    }
    if (m.code == kCmdSelEndOk) {  // a list row committed its choice, through the palette
      showMessage(dialog, m_palette.lastMessage());
      afterWrite(dialog);
      return 1;
    }
    return 0;
  }

  void applyFocusedEdit(Dialog& dialog) {
    Control* focus = dialog.focus();
    if (!focus || focus->kind() != ControlKind::kEdit || focus->isReadOnly()) return;
    const int index = focus->id() - kFirstRowId;
    if (index < 0 || index >= int(m_palette.rows().size())) return;
    const PaletteModel::Row& row = m_palette.rows()[std::size_t(index)];
    OdString message;
    if (!m_palette.setValue(row, focus->text(), message) || !message.empty())
      hostTraceNote("host/palette", __LINE__, PaletteModel::shownName(row) + ": " + message);
    showMessage(dialog, message);
    afterWrite(dialog);
  }

  void showMessage(Dialog& dialog, const OdString& message) {
    if (!message.empty()) dialog.setCaption(caption() + " - " + message);
  }

  // A write that built the rows anew (a style changed) leaves the controls
  // with editors of no row: the window is made again for the new rows.
  void afterWrite(Dialog& dialog) {
    if (m_palette.generation() != m_generation)
      dialog.end(kRebuild);
    else
      refreshAll(dialog);
  }

  void attachEditors(Dialog& dialog) {
    m_generation = m_palette.generation();
    if (Control* filter = dialog.control(kFilterId)) {
      const std::vector<OdString> entries = m_palette.filterEntries();
      for (const OdString& e : entries) filter->addItem(e);
      filter->setSelection(filter->findItemText(m_palette.currentFilterEntry()));
    }
    m_ownRows.assign(m_palette.rows().size(), false);
    for (std::size_t i = 0; i < m_palette.rows().size(); ++i) {
      const PaletteModel::Row& row = m_palette.rows()[i];
      // The first editor owns the control; the row's value combines all.
      // A row whose editor takes over no control is run by the window.
      m_ownRows[i] = !row.editors.front()->createControl(dialog.hostHandle(), kFirstRowId + int(i));
    }
    refreshAll(dialog);
  }

  void refreshAll(Dialog& dialog) {
    for (std::size_t i = 0; i < m_palette.rows().size(); ++i) {
      const PaletteModel::Row& row = m_palette.rows()[i];
      Control* control = dialog.control(kFirstRowId + int(i));
      if (!control) continue;
      if (control->kind() == ControlKind::kDropDown) {
        if (m_ownRows[i]) {
          control->setRedraw(false);
          control->clearItems();
          for (const OdString& item : m_palette.itemTexts(row)) control->addItem(item);
          control->setSelection(m_palette.currentItem(row));
          control->setRedraw(true);
        } else {
          row.editors.front()->fillControl();
        }
        if (m_palette.varies(row)) control->setSelection(-1);
        control->enable(!m_palette.isReadOnly(row));
      } else {
        control->setText(m_palette.valueText(row));
        control->setReadOnly(m_palette.isReadOnly(row));
      }
    }
  }

  bool ownRow(int controlId) const {
    const int index = controlId - kFirstRowId;
    return index >= 0 && index < int(m_ownRows.size()) && m_ownRows[std::size_t(index)];
  }

  // The items of the lists the window runs: the model's picture, then the text.
  std::intptr_t drawOwnItem(const Message& m) {
    if (!ownRow(m.id) || !m.dc || !m.control) return 0;
    const PaletteModel::Row& row = m_palette.rows()[std::size_t(m.id - kFirstRowId)];
    DeviceContext& dc = *m.dc;
    const bool selected = (m.itemState & kItemSelected) != 0;
    const Color ink = selected ? dc.highlightTextColor() : dc.windowTextColor();
    dc.fillRect(m.itemRect, selected ? dc.highlightColor() : dc.windowColor());
    if (m.item < 0 || m.item >= m.control->itemCount()) return 1;
    const int x = DrawItemPicture(dc, m.itemRect, m_palette.itemPicture(row, m.item), ink);
    const std::string text = m.control->itemText(m.item);
    dc.setTextColor(ink);
    dc.text({x, m.itemRect.y + (m.itemRect.cy - dc.textExtent(text).y) / 2}, text);
    return 1;
  }

  OdString caption() const { return russian() ? "Свойства" : "Properties"; }

  HostPickers windowPickers() {
    OdDbDatabase* db = m_palette.document().database();
    HostPickers p;
    p.color = [](HostWindowHandle owner, OdCmColor& color, bool, int) {
      std::string text;
      if (!askTextDialog(owner ? Dialog::fromHostHandle(owner) : nullptr, russian() ? "Выбор цвета" : "Select Color",
                         russian() ? "Цвет (имя, 1..255 или R,G,B):" : "Colour (name, 1..255 or R,G,B):", text))
        return false;
      const std::optional<OdCmColor> parsed = hostParseColor(text);
      if (parsed) color = *parsed;
      return parsed.has_value();
    };
    p.linetype = [db](HostWindowHandle owner, OdString& name) {
      return chooseLinetypeToLoad(owner ? Dialog::fromHostHandle(owner) : nullptr, db, name);
    };
    p.userArrow = [db](HostWindowHandle owner, OdString& name) {
      return chooseDialog(owner ? Dialog::fromHostHandle(owner) : nullptr,
                          russian() ? "Пользовательская стрелка" : "User Arrow",
                          russian() ? "Блок стрелки:" : "Arrow block:", hostArrowBlockNames(db), name);
    };
    return p;
  }

  DialogTemplate makeTemplate() {
    m_texts.clear();
    m_texts.reserve(m_palette.rows().size() * 2 + 4);
    DialogTemplate t;
    t.id = kPaletteTemplateId;
    t.language = hostLanguage();
    t.caption = caption();
    int y = 4;
    // Labels show "&" as it is: alone it would mark a mnemonic letter.
    auto text = [this](const std::string& s) {
      std::string shown;
      for (char ch : s) shown += ch == '&' ? std::string("&&") : std::string(1, ch);
      m_texts.push_back(shown);
      return m_texts.back().c_str();
    };
    if (!m_palette.filterEntries().empty()) {
      t.controls.push_back({kFilterId, ControlKind::kDropDown, "", {4, y, kWidth - 8, 12}, kStyleTabStop});
      y += kRowHeight + 2;
    }
    OdString category;
    for (std::size_t i = 0; i < m_palette.rows().size(); ++i) {
      const PaletteModel::Row& row = m_palette.rows()[i];
      const OdString cat = PaletteModel::shownCategory(row), label = PaletteModel::shownLabel(row);
      if (cat != category) {
        category = cat;
        t.controls.push_back({0, ControlKind::kLabel, text(cat), {4, y + 2, kWidth - 8, 10}, 0});
        y += kRowHeight;
      }
      t.controls.push_back({0, ControlKind::kLabel, text(label), {12, y + 2, kLabelWidth - 12, 10}, 0});
      const bool list = PaletteModel::controlKind(row) == PZControlKind::kDropDown;
      t.controls.push_back({kFirstRowId + int(i), list ? ControlKind::kDropDown : ControlKind::kEdit, "",
                            {kLabelWidth, y, kWidth - kLabelWidth - 4, 12},
                            kStyleTabStop | (list ? unsigned(kStyleOwnerDrawFixed) : 0u)});
      y += kRowHeight;
    }
    t.controls.push_back({kIdCancel, ControlKind::kButton, text(russian() ? "Закрыть" : "Close"),
                          {kWidth - 54, y + 4, 50, 14}, kStyleTabStop});
    t.cx = kWidth;
    t.cy = y + 22;
    return t;
  }

  PaletteModel& m_palette;
  int m_generation = 0;  // of the rows whose editors hold the controls
  std::vector<bool> m_ownRows;  // per row: the window runs its control
  std::vector<std::string> m_texts;  // the template's texts live as long as the window
};

}  // namespace

bool runPaletteWindow(PaletteModel& palette) {
  if (selectSessionBackend() == "headless") return false;
  PaletteWindow window(palette);
  return window.run();
}

}  // namespace ui

