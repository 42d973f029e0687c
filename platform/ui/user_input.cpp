#include "user_input.h"

#include <algorithm>

#include "dialog.h"

namespace ui::user {
namespace {

bool fail(std::string* why, std::string text) {
  if (why) *why = std::move(text);
  return false;
}

// The control a user can reach: it exists, is visible and enabled, and so
// is the page it sits on.
Control* reachable(Dialog& dialog, int id, std::string* why) {
  Control* c = dialog.control(id);
  if (!c) {
    fail(why, "no control " + std::to_string(id));
    return nullptr;
  }
  if (!c->isVisible()) {
    fail(why, "control " + std::to_string(id) + " is hidden");
    return nullptr;
  }
  if (!c->isEnabled()) {
    fail(why, "control " + std::to_string(id) + " is disabled");
    return nullptr;
  }
  for (Dialog* d = &dialog; d; d = d->parent()) {
    if (!d->isVisible()) {
      fail(why, "the page of control " + std::to_string(id) + " is hidden");
      return nullptr;
    }
    if (!d->isEnabled()) {
      fail(why, "the dialog is disabled");
      return nullptr;
    }
  }
  return c;
}

Message notify(Control& c, unsigned code) {
  return Message{.msg = kMsgNotify, .id = c.id(), .code = code, .control = &c};
}

// Radio buttons of one group: from the control marked kStyleGroup (or the
// first control) to the control before the next such mark.
void clearRadioGroup(Dialog& dialog, Control& chosen) {
  const auto& all = dialog.controls();
  std::size_t at = 0;
  while (at < all.size() && all[at].get() != &chosen) ++at;
  std::size_t first = at;
  while (first > 0 && !all[first]->hasStyle(kStyleGroup)) --first;
  for (std::size_t i = first; i < all.size(); ++i) {
    if (i > first && all[i]->hasStyle(kStyleGroup)) break;
    if (all[i].get() != &chosen && all[i]->kind() == ControlKind::kRadioButton) all[i]->setCheck(kUnchecked);
  }
}

}  // namespace

bool click(Dialog& dialog, int id, std::string* why) {
  Control* c = reachable(dialog, id, why);
  if (!c) return false;
  switch (c->kind()) {
    case ControlKind::kButton:
      break;
    case ControlKind::kCheckBox:
      if (c->hasStyle(kStyleAutoCheck)) c->setCheck(c->check() == kChecked ? kUnchecked : kChecked);
      break;
    case ControlKind::kRadioButton:
      if (c->hasStyle(kStyleAutoCheck)) {
        clearRadioGroup(dialog, *c);
        c->setCheck(kChecked);
      }
      break;
    default:
      return fail(why, "control " + std::to_string(id) + " cannot be pressed");
  }
  c->setFocus();
  dialog.sendCommand(id, kCmdClicked);
  return true;
}

bool select(Dialog& dialog, int id, int index, std::string* why) {
  Control* c = reachable(dialog, id, why);
  if (!c) return false;
  if (index < 0 || index >= c->itemCount())
    return fail(why, "control " + std::to_string(id) + " has no item " + std::to_string(index));
  switch (c->kind()) {
    case ControlKind::kDropDown:
      c->setFocus();
      c->setSelection(index);
      dialog.sendCommand(id, kCmdSelChange);
      return true;
    case ControlKind::kListView: {
      c->setFocus();
      Message m = notify(*c, kNotifyClick);
      m.item = index;
      c->setSelection(index);
      dialog.send(m);
      return true;
    }
    case ControlKind::kTab: {
      if (index == c->selection()) return true;
      dialog.send(notify(*c, kNotifyTabSelChanging));
      c->setSelection(index);
      dialog.send(notify(*c, kNotifyTabSelChange));
      return true;
    }
    default:
      return fail(why, "control " + std::to_string(id) + " has no items");
  }
}

bool type(Dialog& dialog, int id, const std::string& text, std::string* why) {
  Control* c = reachable(dialog, id, why);
  if (!c) return false;
  if (c->kind() == ControlKind::kListView && c->isEditingLabel()) {
    c->setLabelEditText(text);
    return true;
  }
  if (c->kind() != ControlKind::kEdit) return fail(why, "control " + std::to_string(id) + " is not an edit");
  if (c->isReadOnly()) return fail(why, "edit " + std::to_string(id) + " is read-only");
  c->setFocus();
  // Selecting all and typing over it: the first character replaces the
  // text, each further one is appended; every step is a change.
  std::string shown;
  std::size_t i = 0;
  if (text.empty()) c->setText(std::string());
  while (i < text.size()) {
    std::size_t n = 1;
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    if (lead >= 0xF0) n = 4;
    else if (lead >= 0xE0) n = 3;
    else if (lead >= 0xC0) n = 2;
    shown += text.substr(i, n);
    i += n;
    c->setText(shown);
  }
  return true;
}

bool setCheck(Dialog& dialog, int id, bool checked, std::string* why) {
  Control* c = reachable(dialog, id, why);
  if (!c) return false;
  if (c->kind() != ControlKind::kCheckBox && c->kind() != ControlKind::kRadioButton)
    return fail(why, "control " + std::to_string(id) + " is not a check box");
  if (c->kind() == ControlKind::kRadioButton && !checked)
    return fail(why, "a radio button is cleared by choosing another one");
  const bool isChecked = c->check() == kChecked;
  if (isChecked == checked) return true;
  if (c->hasStyle(kStyleAutoCheck)) return click(dialog, id, why);
  // A plain box: the dialog decides on the click; it sees the new state.
  if (c->kind() == ControlKind::kRadioButton) clearRadioGroup(dialog, *c);
  c->setCheck(checked ? kChecked : kUnchecked);
  c->setFocus();
  dialog.sendCommand(id, kCmdClicked);
  return true;
}

bool pressKey(Dialog& dialog, Key key, int id, std::string* why) {
  Control* target = nullptr;
  if (id != 0) {
    target = reachable(dialog, id, why);
    if (!target) return false;
    target->setFocus();
  } else {
    target = dialog.focus();
  }
  // A label being edited takes Enter and Escape for itself.
  if (target && target->isEditingLabel() && (key == Key::kEnter || key == Key::kEscape)) {
    target->endLabelEdit(key == Key::kEnter);
    return true;
  }
  switch (key) {
    case Key::kF1:
      dialog.send(Message{.msg = kMsgHelp, .id = target ? target->id() : 0, .control = target});
      return true;
    case Key::kEscape:
      dialog.sendCommand(kIdCancel);
      return true;
    case Key::kEnter: {
      Control* def = dialog.defaultButton();
      if (def && !def->isEnabled()) return fail(why, "the default button is disabled");
      dialog.sendCommand(def ? def->id() : kIdOk);
      return true;
    }
    default:
      break;
  }
  if (!target) return fail(why, "no control has the focus");
  switch (target->kind()) {
    case ControlKind::kListView: {
      Message m = notify(*target, kNotifyKeyDown);
      m.key = key;
      dialog.send(m);
      // Arrow keys move the selection as the list does by itself.
      const int sel = target->selection();
      if (key == Key::kDown && sel + 1 < target->itemCount()) target->setSelection(sel + 1);
      if (key == Key::kUp && sel > 0) target->setSelection(sel - 1);
      return true;
    }
    case ControlKind::kButton:
    case ControlKind::kCheckBox:
    case ControlKind::kRadioButton:
      if (key == Key::kSpace) return click(dialog, target->id(), why);
      return true;
    case ControlKind::kDropDown: {
      const int sel = target->selection();
      int next = sel;
      if (key == Key::kDown && sel + 1 < target->itemCount()) next = sel + 1;
      if (key == Key::kUp && sel > 0) next = sel - 1;
      if (next != sel) return select(dialog, target->id(), next, why);
      return true;
    }
    case ControlKind::kSpin:
      if (key == Key::kUp || key == Key::kDown) return spin(dialog, target->id(), key == Key::kUp, why);
      return true;
    default:
      return true;
  }
}

bool spin(Dialog& dialog, int id, bool up, std::string* why) {
  Control* c = reachable(dialog, id, why);
  if (!c) return false;
  if (c->kind() != ControlKind::kSpin) return fail(why, "control " + std::to_string(id) + " is not a spin");
  // The up arrow moves towards the upper end of the range; with the
  // default range (100 down to 0) that is a negative step.
  const bool inverted = c->spinUpper() < c->spinLower();
  const int delta = (up != inverted) ? 1 : -1;
  Message m = notify(*c, kNotifySpinDelta);
  m.delta = delta;
  if (dialog.send(m) == 0) {
    const int lo = std::min(c->spinLower(), c->spinUpper()), hi = std::max(c->spinLower(), c->spinUpper());
    const int pos = c->spinPos() + delta;
    if (pos >= lo && pos <= hi) c->setSpinPos(pos);
  }
  return true;
}

bool editLabel(Dialog& dialog, int id, int index, const std::optional<std::string>& text, std::string* why) {
  Control* c = reachable(dialog, id, why);
  if (!c) return false;
  if (c->kind() != ControlKind::kListView || !c->hasStyle(kStyleEditLabels))
    return fail(why, "control " + std::to_string(id) + " has no editable labels");
  if (!c->item(index)) return fail(why, "control " + std::to_string(id) + " has no item " + std::to_string(index));
  c->setFocus();
  if (!c->beginLabelEdit(index)) return fail(why, "the label of item " + std::to_string(index) + " cannot be edited");
  if (text) c->setLabelEditText(*text);
  c->endLabelEdit(text.has_value());
  return true;
}

bool rightClick(Dialog& dialog, int id, int index, Point at, std::string* why) {
  Control* c = reachable(dialog, id, why);
  if (!c) return false;
  c->setFocus();
  if (c->kind() == ControlKind::kListView) {
    if (index >= c->itemCount()) return fail(why, "control " + std::to_string(id) + " has no item " + std::to_string(index));
    if (index >= 0) c->setSelection(index);
    Message m = notify(*c, kNotifyRightClick);
    m.item = index;
    m.point = at;
    dialog.send(m);
    return true;
  }
  dialog.send(Message{.msg = kMsgContextMenu, .id = id, .control = c, .item = index, .point = at});
  return true;
}

bool doubleClick(Dialog& dialog, int id, int index, std::string* why) {
  Control* c = reachable(dialog, id, why);
  if (!c) return false;
  c->setFocus();
  if (c->kind() == ControlKind::kListView) {
    if (index >= c->itemCount()) return fail(why, "control " + std::to_string(id) + " has no item " + std::to_string(index));
    if (index >= 0) c->setSelection(index);
    Message m = notify(*c, kNotifyDoubleClick);
    m.item = index;
    dialog.send(m);
    return true;
  }
  dialog.sendCommand(id, kCmdDoubleClick);
  return true;
}

bool close(Dialog& dialog) {
  // A procedure that does not handle the close box gets Cancel, as a
  // dialog's default handling gives.
  if (dialog.send(Message{.msg = kMsgClose}) == 0 && !dialog.ended()) dialog.sendCommand(kIdCancel);
  return true;
}

}  // namespace ui::user
