#include "control.h"

#include <algorithm>
#include <utility>

#include "OdStringUtil.h"
#include "backend.h"
#include "dialog.h"

namespace ui {

Control::~Control() {
  if (!m_extension) return;
  const Extension extension = std::move(m_extension);
  m_extension = nullptr;
  Message m;
  m.msg = kMsgDestroy;
  m.id = m_id;
  m.control = this;
  extension(*this, m);
}

Control::Control(Dialog& dialog, const ControlTemplate& tmpl)
    : m_dialog(dialog),
      m_id(tmpl.id),
      m_kind(tmpl.kind),
      m_style(tmpl.style),
      m_rect(tmpl.rect),
      m_text(tmpl.text ? tmpl.text : ""),
      m_enabled(!(tmpl.style & kStyleDisabled)),
      m_visible(!(tmpl.style & kStyleHidden)) {}

void Control::changed() {
  ++m_revision;
  m_dialog.controlChanged(*this);
}

void Control::setText(const std::string& text) {
  m_text = text;
  changed();
  if (m_kind == ControlKind::kEdit) m_dialog.sendCommand(m_id, kCmdEditChange);
}

void Control::enable(bool on) {
  if (m_enabled == on) return;
  m_enabled = on;
  changed();
}

void Control::show(bool on) {
  if (m_visible == on) return;
  m_visible = on;
  changed();
}

void Control::setReadOnly(bool on) {
  m_style = on ? (m_style | kStyleReadOnly) : (m_style & ~kStyleReadOnly);
  changed();
}

void Control::setCheck(int state) {
  if (state < kUnchecked || state > kIndeterminate) state = kUnchecked;
  m_check = state;
  changed();
}

int Control::sortedPosition(const std::string& label) const {
  // Letter case is ignored as users expect of name lists; equal names keep
  // the order in which they came.
  const std::string key = qrv::foldCase(label);
  auto it = std::upper_bound(m_items.begin(), m_items.end(), key, [](const std::string& k, const ListItem& i) {
    return k < qrv::foldCase(i.cells.empty() ? std::string() : i.cells[0]);
  });
  return int(it - m_items.begin());
}

int Control::addItem(const std::string& label, std::intptr_t data, int indent) {
  return insertItem(-1, label, data, indent);
}

int Control::insertItem(int at, const std::string& label, std::intptr_t data, int indent) {
  if (hasStyle(kStyleSorted)) at = sortedPosition(label);
  if (at < 0 || at > itemCount()) at = itemCount();
  ListItem item;
  item.cells.push_back(label);
  item.data = data;
  item.indent = indent;
  m_items.insert(m_items.begin() + at, std::move(item));
  if (m_selection >= at) ++m_selection;
  if (m_editItem >= at) ++m_editItem;
  changed();
  return at;
}

bool Control::deleteItem(int index) {
  if (index < 0 || index >= itemCount()) return false;
  if (m_editItem == index) m_editItem = -1;
  if (m_editItem > index) --m_editItem;
  m_items.erase(m_items.begin() + index);
  if (m_selection == index) {
    m_selection = -1;
    changed();
    if (m_kind == ControlKind::kListView) {
      Message m{.msg = kMsgNotify, .id = m_id, .code = kNotifyItemChanged, .control = this, .item = -1};
      m_dialog.send(m);
    }
    return true;
  }
  if (m_selection > index) --m_selection;
  changed();
  return true;
}

void Control::clearItems() {
  const bool hadSelection = m_selection >= 0;
  m_items.clear();
  m_selection = -1;
  m_editItem = -1;
  changed();
  if (hadSelection && m_kind == ControlKind::kListView) {
    Message m{.msg = kMsgNotify, .id = m_id, .code = kNotifyItemChanged, .control = this, .item = -1};
    m_dialog.send(m);
  }
}

const ListItem* Control::item(int index) const {
  return index >= 0 && index < itemCount() ? &m_items[std::size_t(index)] : nullptr;
}

std::string Control::itemText(int index, int column) const {
  const ListItem* i = item(index);
  if (!i || column < 0 || column >= int(i->cells.size())) return std::string();
  return i->cells[std::size_t(column)];
}

bool Control::setItemText(int index, int column, const std::string& text) {
  if (index < 0 || index >= itemCount() || column < 0) return false;
  auto& cells = m_items[std::size_t(index)].cells;
  if (int(cells.size()) <= column) cells.resize(std::size_t(column) + 1);
  cells[std::size_t(column)] = text;
  changed();
  return true;
}

std::intptr_t Control::itemData(int index) const {
  const ListItem* i = item(index);
  return i ? i->data : -1;
}

bool Control::setItemData(int index, std::intptr_t data) {
  if (index < 0 || index >= itemCount()) return false;
  m_items[std::size_t(index)].data = data;
  changed();
  return true;
}

int Control::findItemData(std::intptr_t data) const {
  for (int i = 0; i < itemCount(); ++i)
    if (m_items[std::size_t(i)].data == data) return i;
  return -1;
}

int Control::findItemText(const std::string& label) const {
  for (int i = 0; i < itemCount(); ++i)
    if (itemText(i) == label) return i;
  return -1;
}

bool Control::setSelection(int index) {
  if (index < -1 || index >= itemCount()) return false;
  if (index == m_selection) return true;
  m_selection = index;
  changed();
  if (m_kind == ControlKind::kListView) {
    Message m{.msg = kMsgNotify, .id = m_id, .code = kNotifyItemChanged, .control = this, .item = index};
    m_dialog.send(m);
  }
  return true;
}

int Control::insertColumn(int at, const std::string& header, int width) {
  if (at < 0 || at > columnCount()) at = columnCount();
  m_columns.insert(m_columns.begin() + at, ListColumn{header, width});
  // Cells move with their columns, as a list keeps them.
  for (ListItem& i : m_items)
    if (int(i.cells.size()) > at) i.cells.insert(i.cells.begin() + at, std::string());
  changed();
  return at;
}

bool Control::deleteColumn(int index) {
  if (index < 0 || index >= columnCount()) return false;
  m_columns.erase(m_columns.begin() + index);
  for (ListItem& i : m_items)
    if (int(i.cells.size()) > index) i.cells.erase(i.cells.begin() + index);
  changed();
  return true;
}

bool Control::setColumnHeader(int index, const std::string& header) {
  if (index < 0 || index >= columnCount()) return false;
  m_columns[std::size_t(index)].header = header;
  changed();
  return true;
}

bool Control::setColumnWidth(int index, int width) {
  if (index < 0 || index >= columnCount()) return false;
  m_columns[std::size_t(index)].width = width;
  changed();
  return true;
}

void Control::setListStyle(unsigned s) {
  m_listStyle = s;
  changed();
}

bool Control::beginLabelEdit(int index) {
  if (m_kind != ControlKind::kListView || !hasStyle(kStyleEditLabels) || !item(index)) return false;
  if (m_editItem >= 0) endLabelEdit(false);
  Message m{.msg = kMsgNotify, .id = m_id, .code = kNotifyBeginLabelEdit, .control = this, .item = index};
  if (m_dialog.send(m) != 0) return false;  // the dialog refused
  if (!item(index)) return false;           // the dialog refilled the list meanwhile
  m_editItem = index;
  m_editText = itemText(index);
  changed();
  return true;
}

void Control::setLabelEditText(const std::string& text) {
  if (m_editItem < 0) return;
  m_editText = text;
  changed();
}

bool Control::endLabelEdit(bool commit) {
  if (m_editItem < 0) return false;
  const int index = std::exchange(m_editItem, -1);
  const std::string text = std::move(m_editText);
  m_editText.clear();
  changed();
  Message m{.msg = kMsgNotify, .id = m_id, .code = kNotifyEndLabelEdit, .control = this, .item = index,
            .text = commit ? &text : nullptr};
  const bool kept = m_dialog.send(m) != 0 && commit;
  if (kept) setItemText(index, 0, text);
  return kept;
}

void Control::setRedraw(bool on) {
  if (on) {
    if (m_redrawOff > 0 && --m_redrawOff == 0) changed();
  } else {
    ++m_redrawOff;
  }
}

void Control::setSpinRange(int lower, int upper) {
  m_spinLower = lower;
  m_spinUpper = upper;
  changed();
}

void Control::setSpinPos(int pos) {
  m_spinPos = pos;
  changed();
}

Control* Control::buddy() const { return m_dialog.controlBefore(*this); }

void Control::setItemHeight(int pixels) {
  m_itemHeight = pixels;
  changed();
}

void Control::drawItem(DeviceContext& dc, int index, const Rect& rect, unsigned state) {
  if (!m_enabled) state |= kItemDisabled;
  Message m{.msg = kMsgDrawItem, .id = m_id, .control = this, .item = index, .dc = &dc,
            .itemRect = rect, .itemState = state};
  m_dialog.send(m);
}

std::optional<TextColors> Control::textColors() {
  if (m_kind != ControlKind::kEdit) return std::nullopt;
  TextColors colors;
  Message m{.msg = kMsgCtlColorEdit, .id = m_id, .control = this, .colors = &colors};
  if (m_dialog.send(m) == 0) return std::nullopt;
  return colors;
}

void Control::setPainter(Painter painter) {
  m_painter = std::move(painter);
  changed();
}

void Control::paint(DeviceContext& dc, const Rect& client) {
  if (m_painter) m_painter(dc, client);
}

void Control::invalidate() { changed(); }

void Control::setDroppedWidth(int pixels) {
  m_droppedWidth = pixels;
  changed();
}

void Control::ensureVisible(int index) {
  if (!item(index)) return;
  m_scrollTarget = index;
  changed();
}

Rect Control::pixelRect() const { return backend().dialogUnits().toPixels(m_rect); }

std::intptr_t Control::property(const std::string& name) const {
  auto it = m_properties.find(name);
  return it == m_properties.end() ? 0 : it->second;
}

void Control::setProperty(const std::string& name, std::intptr_t value) { m_properties[name] = value; }
void Control::removeProperty(const std::string& name) { m_properties.erase(name); }

void Control::setTooltip(const std::string& text) {
  m_tooltip = text;
  changed();
}

void Control::setIcon(const std::string& name) {
  m_icon = name;
  changed();
}

void Control::setFocus() { m_dialog.setFocus(this); }
bool Control::hasFocus() const { return m_dialog.focus() == this; }

const char* controlKindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::kLabel: return "label";
    case ControlKind::kButton: return "button";
    case ControlKind::kCheckBox: return "checkbox";
    case ControlKind::kRadioButton: return "radio";
    case ControlKind::kEdit: return "edit";
    case ControlKind::kSpin: return "spin";
    case ControlKind::kDropDown: return "dropdown";
    case ControlKind::kListView: return "list";
    case ControlKind::kTab: return "tab";
    case ControlKind::kGroupBox: return "group";
    case ControlKind::kEtchedLine: return "line";
    case ControlKind::kFrame: return "frame";
  }
  return "?";
}

}  // namespace ui
