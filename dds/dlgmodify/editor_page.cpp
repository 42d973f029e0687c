#include "editor_page.h"

#include "editor_store.h"
#include "style_editor_dialog.h"
#include "stdafx/value_text.h"

namespace dds {

OdDbDimVarValue EditorSource::get(const char* name) const { return values.get(*OdDbDimVars::indexOf(name)); }

double EditorSource::number(const char* name) const {
  const OdDbDimVarValue v = get(name);
  if (const double* d = std::get_if<double>(&v)) return *d;
  if (const int* i = std::get_if<int>(&v)) return *i;
  return 0.0;
}

bool EditorSource::flag(const char* name) const {
  const OdDbDimVarValue v = get(name);
  if (const bool* b = std::get_if<bool>(&v)) return *b;
  if (const int* i = std::get_if<int>(&v)) return *i != 0;
  return false;
}

std::intptr_t EditorPage::onMessage(ui::Dialog& dialog, const ui::Message& m) {
  switch (m.msg) {
    case ui::kMsgInitDialog:
      m_window = &dialog;
      created();
      return 1;
    case ui::kMsgCommand:
      // Enter and Escape on a page mean the editor's OK and Cancel.
      if (m.id == ui::kIdOk || m.id == ui::kIdCancel) {
        if (dialog.parent()) dialog.parent()->sendCommand(m.id, m.code);
        return 1;
      }
      command(m.id, m.code);
      if (m.code == ui::kCmdClicked || m.code == ui::kCmdSelChange || m.code == ui::kCmdEditChange)
        m_editor.requestPreviewUpdate();
      return 1;
    case ui::kMsgNotify:
      if (m.code != ui::kNotifySpinDelta || !m.control) return 0;
      m_editor.stepSpinValue(m.control->buddy(), m.delta, spinStep(m.id));
      return 1;  // the field holds the value; the spin keeps no position
    case ui::kMsgHelp:
      return dialog.parent() ? dialog.parent()->send(m) : 0;
    case ui::kMsgDestroy:
      destroyed();
      m_window = nullptr;
      return 1;
    default:
      return 0;
  }
}

ui::Control* EditorPage::control(int id) const { return m_window ? m_window->control(id) : nullptr; }

ui::Control* EditorPage::controlOf(int tab, int id) const {
  const EditorPage* other = m_editor.page(tab);
  return other ? other->control(id) : nullptr;
}

void EditorPage::enable(std::initializer_list<int> ids, bool on) const {
  for (int id : ids)
    if (ui::Control* c = control(id)) c->enable(on);
}

void EditorPage::select(int id, int index) const {
  if (ui::Control* c = control(id)) c->setSelection(index >= 0 && index < c->itemCount() ? index : -1);
}

int EditorPage::selection(int id) const {
  const ui::Control* c = control(id);
  return c ? c->selection() : -1;
}

bool EditorPage::isChecked(int id) const {
  const ui::Control* c = control(id);
  return c && c->check() == ui::kChecked;
}

void EditorPage::setChecked(int id, bool on) const {
  if (ui::Control* c = control(id)) c->setCheck(on ? ui::kChecked : ui::kUnchecked);
}

void EditorPage::setNumber(int id, double value) const {
  if (ui::Control* c = control(id)) c->setText(writeControlDouble(value));
}

void EditorPage::loadNumber(int id, double shown, double exact) {
  const OdString text = writeControlDouble(shown);
  m_loaded[id] = LoadedNumber{text, exact};
  if (ui::Control* c = control(id)) c->setText(text);
}

std::optional<double> EditorPage::untouchedValue(int id) const {
  const auto it = m_loaded.find(id);
  const ui::Control* c = control(id);
  if (it == m_loaded.end() || !c || c->text() != it->second.text) return std::nullopt;
  return it->second.exact;
}

std::optional<double> EditorPage::typedNumber(EditorStore& out, int id) const {
  const ui::Control* c = control(id);
  if (!c) return std::nullopt;
  const std::optional<double> value = readFieldNumber(c->text(), m_editor.decimalSeparator());
  if (!value) out.refuseText(fieldLabel(id), c->text());
  return value;
}

std::optional<double> EditorPage::fieldValue(EditorStore& out, int id) const {
  if (const std::optional<double> exact = untouchedValue(id)) return exact;
  return typedNumber(out, id);
}

void EditorPage::putNumber(EditorStore& out, const char* name, int id) const {
  if (const std::optional<double> value = fieldValue(out, id)) out.put(name, *value);
}

OdString EditorPage::fieldLabel(int id) const {
  const ui::Control* c = control(id);
  const ui::Control* label = c && m_window ? m_window->controlBefore(*c) : nullptr;
  OdString text = label ? label->text() : OdString();
  std::erase(text, '&');
  while (!text.empty() && (text.back() == ':' || text.back() == ' ')) text.pop_back();
  return text.empty() ? OdString(std::to_string(id)) : text;
}

}  // namespace dds
