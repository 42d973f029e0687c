#include "dialog.h"

#include <deque>

#include "backend.h"

namespace ui {
namespace {

// The thread's queue of posted messages. Everything runs on the user
// interface thread, so one queue serves every dialog.
struct Posted {
  Dialog* target;
  unsigned msg;
  std::intptr_t wParam, lParam;
};
std::deque<Posted>& queue() {
  static std::deque<Posted> q;
  return q;
}

void dropPostedFor(const Dialog* d) {
  auto& q = queue();
  std::erase_if(q, [d](const Posted& p) { return p.target == d; });
}

}  // namespace

Dialog::Dialog(const DialogTemplate& tmpl, DialogHandler* handler, Dialog* owner)
    : m_template(tmpl), m_caption(tmpl.caption), m_handler(handler), m_owner(owner) {
  m_controls.reserve(tmpl.controls.size());
  for (const ControlTemplate& c : tmpl.controls) m_controls.push_back(std::make_unique<Control>(*this, c));
}

Dialog::~Dialog() {
  m_children.clear();
  dropPostedFor(this);
}

void Dialog::setCaption(const std::string& caption) {
  m_caption = caption;
  changed();
}

Control* Dialog::control(int id) const {
  for (const auto& c : m_controls)
    if (c->id() == id) return c.get();
  return nullptr;
}

Control* Dialog::controlBefore(const Control& c) const {
  for (std::size_t i = 1; i < m_controls.size(); ++i)
    if (m_controls[i].get() == &c) return m_controls[i - 1].get();
  return nullptr;
}

Dialog* Dialog::createChild(const DialogTemplate& tmpl, DialogHandler* handler, int windowId, void* userData) {
  auto page = std::make_unique<Dialog>(tmpl, handler, m_owner);
  page->m_parent = this;
  page->m_windowId = windowId;
  page->m_userData = userData;
  Dialog* raw = page.get();
  m_children.push_back(std::move(page));
  const int height = backend().dialogUnits().baseY;
  for (const auto& c : raw->m_controls) {
    if (!c->hasStyle(kStyleOwnerDrawFixed)) continue;
    int h = height;
    raw->send(Message{.msg = kMsgMeasureItem, .id = c->id(), .control = c.get(), .itemHeight = &h});
    c->setItemHeight(h);
  }
  raw->send(Message{.msg = kMsgInitDialog});
  changed();
  return raw;
}

Dialog* Dialog::child(int windowId) const {
  for (const auto& c : m_children)
    if (c->m_windowId == windowId) return c.get();
  return nullptr;
}

void Dialog::setPlacement(const Rect& pixels) {
  m_placement = pixels;
  changed();
}

void Dialog::show(bool on) {
  if (m_visible == on) return;
  m_visible = on;
  changed();
}

void Dialog::end(int result) {
  m_ended = true;
  m_result = result;
  changed();
}

std::intptr_t Dialog::send(const Message& message) {
  if (message.control && message.control->extension())
    if (std::optional<std::intptr_t> handled = message.control->extension()(*message.control, message))
      return *handled;
  return m_handler ? m_handler->onMessage(*this, message) : 0;
}

void Dialog::enable(bool on) {
  if (m_enabled == on) return;
  m_enabled = on;
  changed();
}

void Dialog::postCommand(int id, unsigned code) {
  post(kMsgCommand, std::intptr_t((id & 0xFFFF) | (std::uintptr_t(code & 0xFFFF) << 16)));
}

std::intptr_t Dialog::sendCommand(int id, unsigned code) {
  return send(Message{.msg = kMsgCommand, .id = id, .code = code, .control = control(id)});
}

void Dialog::post(unsigned msg, std::intptr_t wParam, std::intptr_t lParam) {
  queue().push_back(Posted{this, msg, wParam, lParam});
  backend().messagePosted();
}

int Dialog::removePosted(unsigned msg) {
  auto& q = queue();
  const auto before = q.size();
  std::erase_if(q, [&](const Posted& p) { return p.target == this && p.msg == msg; });
  return int(before - q.size());
}

void Dialog::setFocus(Control* control) {
  if (m_focus == control) return;
  Control* old = m_focus;
  m_focus = control;
  if (old && old->isEditingLabel()) old->endLabelEdit(true);
  changed();
}

Control* Dialog::defaultButton() const {
  for (const auto& c : m_controls)
    if (c->kind() == ControlKind::kButton && c->hasStyle(kStyleDefault)) return c.get();
  return nullptr;
}

DialogView* Dialog::view() const {
  const Dialog* d = this;
  while (d && !d->m_view) d = d->m_parent;
  return d ? d->m_view : nullptr;
}

void Dialog::controlChanged(Control& control) {
  if (DialogView* v = view()) v->controlChanged(control);
}

void Dialog::changed() {
  if (DialogView* v = view()) v->dialogChanged(*this);
}

int runModalDialog(const DialogResourceTable& table, int templateId, DialogHandler& handler, Dialog* owner,
                   void* userData) {
  std::optional<DialogTemplate> tmpl = loadDialogTemplate(table, templateId);
  if (!tmpl) return -1;
  return runModalDialog(*tmpl, handler, owner, userData);
}

int runModalDialog(const DialogTemplate& tmpl, DialogHandler& handler, Dialog* owner, void* userData) {
  Dialog dialog(tmpl, &handler, owner);
  dialog.setUserData(userData);
  const int height = backend().dialogUnits().baseY;
  for (const auto& c : dialog.controls()) {
    if (!c->hasStyle(kStyleOwnerDrawFixed)) continue;
    int h = height;
    dialog.send(Message{.msg = kMsgMeasureItem, .id = c->id(), .control = c.get(), .itemHeight = &h});
    c->setItemHeight(h);
  }
  // The first control that takes input gets the focus, as dialogs do.
  for (const auto& c : dialog.controls()) {
    const ControlKind k = c->kind();
    if (c->isEnabled() && c->isVisible() && k != ControlKind::kLabel && k != ControlKind::kGroupBox &&
        k != ControlKind::kEtchedLine && k != ControlKind::kFrame && k != ControlKind::kSpin) {
      dialog.setFocus(c.get());
      break;
    }
  }
  dialog.send(Message{.msg = kMsgInitDialog});
  if (!dialog.ended()) backend().runModal(dialog);
  dialog.send(Message{.msg = kMsgDestroy});
  for (const auto& page : dialog.children()) page->send(Message{.msg = kMsgDestroy});
  return dialog.result();
}

int dispatchPostedMessages() {
  int delivered = 0;
  auto& q = queue();
  while (!q.empty()) {
    Posted p = q.front();
    q.pop_front();
    Message m{.msg = p.msg, .wParam = p.wParam, .lParam = p.lParam};
    if (p.msg == kMsgCommand) {
      m.id = int(p.wParam & 0xFFFF);
      m.code = unsigned((std::uintptr_t(p.wParam) >> 16) & 0xFFFF);
      m.control = p.target->control(m.id);
    }
    p.target->send(m);
    ++delivered;
  }
  return delivered;
}

int postedMessageCount() { return int(queue().size()); }

}  // namespace ui
