#pragma once
// The in-place control of a palette row (or of a style editor field): an edit
// box or a drop-down list of the window layer, taken over by an editor
// object. A drop-down shows the editor's items with the current one selected
// and applies the item the user picks; an edit box shows the value as text.
#include <functional>

#include "host_window.h"
#include "opm/opm_interfaces.h"

namespace ui {
class Control;
class DeviceContext;
struct Rect;
}  // namespace ui

class CPZControlHost {
public:
  // Draws list item `index` (its text included) into `rect` in the state
  // given (ui::kItemSelected ...); without one the items are drawn as text.
  using ItemPainter = std::function<void(ui::DeviceContext& dc, const ui::Rect& rect, int index, unsigned state)>;

  CPZControlHost() = default;
  CPZControlHost(const CPZControlHost&) = delete;
  CPZControlHost& operator=(const CPZControlHost&) = delete;
  ~CPZControlHost() { detach(); }

  // False when the window has no control of that id, or the control is not
  // of the editor's kind; a control is taken over once.
  bool attach(IPZEditableProperty& editor, HostWindowHandle parent, int controlId);
  void detach();
  void fill(IPZEditableProperty& editor);
  void setItemPainter(ItemPainter painter) { m_painter = std::move(painter); }

  HostWindowHandle window() const { return m_window; }
  int id() const { return m_id; }
  ui::Control* control() const { return m_control; }

private:
  ui::Control* m_control = nullptr;
  HostWindowHandle m_window = nullptr;
  int m_id = 0;
  int m_reentry = 0;  // a commit in progress ignores the notifications it causes
  ItemPainter m_painter;
};
